// libFuzzer target for the form-description reader. Any text must either
// load or be refused with EFormReadError; nothing else may escape, and what a
// refused text had already created is freed with its root. The components are
// the stand-ins of FormStandIns.h.

#include "FormStandIns.h"
#include "framework/Exceptions.h"
#include "framework/FormReader.h"

#include <cstdlib>
#include <string>

using FormStandIns::TForm1;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FormStandIns::RegisterStandIns();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    TForm1 form;
    try {
        ReadComponentFromText(&form, text);
    } catch (const EFormReadError&) {
        return 0;
    } catch (...) {
        std::abort(); // anything else would reach the user as a foreign error
    }
    // A loaded form has finished loading, every component included.
    if (form.Loading()) std::abort();
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (form.Components(i)->Loading()) std::abort();
    return 0;
}
