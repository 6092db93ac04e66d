#pragma once
// Built-in themes: the catalogue and look-ups of SkinThemeTables plus the ones
// that load pictures (bitmap resources of the executable named by the tables)
// and the default style of a new skinned control.

#include "skin/SkinThemeTables.h"

class TBitmap;
class TComponent;

// Loads the element's picture into bitmap; nothing when bitmap is null or the
// element is not a picture. Raises EResNotFound for a missing resource
// (elements 43, 45 and 46 have none in the built-in themes).
void GetThemeBitmap(TskUIStyle style, int element, TBitmap* bitmap);
// The picture, cut to frame frameNumber (from 1) of frameCount equal columns;
// frameCount 0 means the whole picture.
void GetThemeImage(TskUIStyle style, int element, TBitmap* target, int frameCount, int frameNumber);
// The UIStyle of the first TskForm among the form's child controls; DeepBlue
// when owner is not a form or holds none.
TskUIStyle GetFormUIStyle(TComponent* owner);
