// Form descriptions the form-reader fuzzer found mishandled, read with the
// fuzzer's own stand-in components: each is now refused with the reader's own
// error instead of a foreign exception or undefined behaviour, and the
// nearest valid texts still load.

#include "FormStandIns.h"
#include "framework/Exceptions.h"
#include "framework/FormReader.h"

#include <gtest/gtest.h>

#include <string>

using FormStandIns::TForm1;

namespace {

class FormReaderFindings : public testing::Test {
  protected:
    static void SetUpTestSuite() { FormStandIns::RegisterStandIns(); }

    static std::string Form(const std::string& property) {
        return "object Form1: TForm1\n  " + property + "\nend\n";
    }
    static std::string ErrorOf(const std::string& text) {
        TForm1 form;
        try {
            ReadComponentFromText(&form, text);
        } catch (const EFormReadError& e) {
            return e.Message();
        }
        return "(no error)";
    }
};

} // namespace

TEST_F(FormReaderFindings, CharacterCodesBeyondAByteAreRefusedNotOverflowed) {
    // The fuzzer's input: a code too long for an int escaped as std::out_of_range.
    EXPECT_EQ(ErrorOf(Form("Caption = #7710000000100000001001800")),
              "Error reading form description, line 2: invalid character code "
              "#7710000000100000001001800");
    EXPECT_EQ(ErrorOf(Form("Caption = 'a'#256")),
              "Error reading form description, line 2: invalid character code #256");

    TForm1 form;
    ReadComponentFromText(&form, Form("Caption = #0065#255'b'#9"));
    EXPECT_EQ(form.text, std::string("A\xFF"
                                     "b\t"));
}

TEST_F(FormReaderFindings, SetElementsBeyondTheMasksSixtyFourBitsAreRefused) {
    // The fuzzer's input: w64 shifted a 64-bit mask by 64.
    EXPECT_EQ(ErrorOf(Form("Wide = [w0, w7, w64]")),
              "Error reading form description, line 2: invalid value w64 for property Wide");
    EXPECT_EQ(ErrorOf(Form("Wide = [w69]")),
              "Error reading form description, line 2: invalid value w69 for property Wide");

    TForm1 form;
    ReadComponentFromText(&form, Form("Wide = [w0, w63]"));
    EXPECT_EQ(static_cast<uint64_t>(form.set), (uint64_t(1) << 63) | 1u);
}
