#pragma once
// Built-in themes: the catalogue and look-ups of SkinThemeTables plus the ones
// that load pictures (bitmap resources of the executable named by the tables)
// and the default style of a new skinned control.

#include "skin/SkinThemeFile.h"
#include "skin/SkinThemeTables.h"

#include <memory>
#include <string>

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

// Maps element numbers to key names and answers from the current skin file
// reader; without one: no picture, False, 0.
class TskFileThemeMgr {
  public:
    // False (reader kept) when the file does not exist. A file that exists but
    // does not load raises, and the current reader stays.
    bool LoadFromFile(const std::string& path);
    bool HasReader() const { return reader_ != nullptr; }
    const TskThemeFileReader* Reader() const { return reader_.get(); }

    void GetBitmap(int element, TBitmap* bitmap) const;
    void GetImage(int element, TBitmap* target, int frameCount, int frameNumber) const;
    bool GetBool(int element) const;
    TColor GetColor(int element) const;
    int32_t GetInt(int element) const;

  private:
    std::unique_ptr<TskThemeFileReader> reader_;
};
