// The skin-file reader: what a file yields, and the malformed files it refuses.

#include "BitmapImages.h"
#include "SkinTestFiles.h"
#include "skin/SkinThemeFile.h"
#include "tools/skinfile/SkinFileWriter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

using TestBitmaps::Encode;
using TestBitmaps::Quadrants;

namespace {

TskThemeFileReader Load(const std::vector<uint8_t>& image) {
    return TskThemeFileReader(image.data(), image.size());
}

std::vector<uint8_t> Bmp(int w, int h) {
    return MakeBitmapImage(w, h, 0x00FF00FF);
}

// A picture's bytes, read through its stream from the start.
std::vector<uint8_t> StreamBytes(TskPictureStream* stream) {
    std::vector<uint8_t> bytes(static_cast<size_t>(stream->Size()));
    stream->SetPosition(0);
    stream->ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

// A file on disk for the path-based calls; removed with the object.
struct TempFile {
    std::string path;
    explicit TempFile(const std::vector<uint8_t>& bytes) {
        char name[] = "/tmp/skintestXXXXXX";
        const int fd = mkstemp(name);
        path = name;
        if (!bytes.empty())
            EXPECT_EQ(write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
        close(fd);
    }
    ~TempFile() { std::remove(path.c_str()); }
};

// The one-element file as the format's own example lays it out.
RawSkin MinimalFile() {
    RawSkin f(105 + 77);
    f.Record(24, "FormBorderWidthInt", SkinFile::ekInteger, 101, 4, 105);
    f.Put32(101, 2);
    f.Record(105, "", 0, 0, 0, 0);
    return f;
}

} // namespace

TEST(SkinFileReader, MinimalOneElementFileYieldsItsIntegerAndNothingElse) {
    const TskThemeFileReader reader = Load(MinimalFile().bytes);
    EXPECT_EQ(reader.GetInt("FormBorderWidthInt"), 2);
    EXPECT_EQ(reader.GetInt("FormBackgroundColor"), -1);
    EXPECT_FALSE(reader.GetBool("ButtonTransparentBool"));
    EXPECT_EQ(reader.GetImageStream("ButtonImage"), nullptr);
    EXPECT_EQ(reader.Integers().Count(), 1);
    EXPECT_EQ(reader.Integers().Strings(0), "FormBorderWidthInt=2");
}

TEST(SkinFileReader, WriterLaysOutTheMinimalFileByteForByte) {
    EXPECT_EQ(BuildSkinImage({IntItem("FormBorderWidthInt", 2)}), MinimalFile().bytes);
}

TEST(SkinFileReader, EmptyChainLoadsWithoutElements) {
    RawSkin f(24 + 77);
    f.Record(24, "ButtonImage", SkinFile::ekPicture, 9999, 9999, 0); // closing record: ignored
    const TskThemeFileReader reader = Load(f.bytes);
    EXPECT_EQ(reader.ImageStreams().Count() + reader.Integers().Count() +
                  reader.Booleans().Count() + reader.Strings().Count(),
              0);
    EXPECT_EQ(reader.GetImageStream("ButtonImage"), nullptr);
}

TEST(SkinFileReader, FirstEntryOfANameAlongTheChainWins) {
    const TskThemeFileReader reader = Load(BuildSkinImage({
        IntItem("FormBorderWidthInt", 1),
        IntItem("FormBorderWidthInt", 3),
        BoolItem("ButtonTransparentBool", true),
        BoolItem("ButtonTransparentBool", false),
        PictureItem("ButtonImage", Bmp(6, 3)),
        PictureItem("ButtonImage", Bmp(9, 3)),
    }));
    EXPECT_EQ(reader.GetInt("FormBorderWidthInt"), 1);
    EXPECT_TRUE(reader.GetBool("ButtonTransparentBool"));
    EXPECT_EQ(reader.GetImageStream("ButtonImage")->Size(), static_cast<int64_t>(Bmp(6, 3).size()));
}

TEST(SkinFileReader, ChainOrderNotFileOrderDecides) {
    // Records stored back to front: the chain starts at the last one.
    RawSkin f(24 + 3 * 77 + 8);
    const int32_t data = 24 + 3 * 77;
    f.Record(24, "", 0, 0, 0, 0);                                                     // closing
    f.Record(24 + 77, "FormMinWidthInt", SkinFile::ekInteger, data, 4, 24);           // second
    f.Record(24 + 154, "FormMinWidthInt", SkinFile::ekInteger, data + 4, 4, 24 + 77); // first
    f.Put32(data, 111);
    f.Put32(data + 4, 222);
    f.Put32(20, 24 + 154);
    EXPECT_EQ(Load(f.bytes).GetInt("FormMinWidthInt"), 222);
}

TEST(SkinFileReader, KeyNamesMatchIgnoringLetterCase) {
    const TskThemeFileReader reader = Load(
        BuildSkinImage({PictureItem("BUTTONIMAGE", Bmp(3, 1)), IntItem("formborderwidthint", 7),
                        BoolItem("buttonTRANSPARENTbool", true)}));
    EXPECT_NE(reader.GetImageStream("ButtonImage"), nullptr);
    EXPECT_EQ(reader.GetInt("FormBorderWidthInt"), 7);
    EXPECT_TRUE(reader.GetBool("ButtonTransparentBool"));
}

TEST(SkinFileReader, PictureStreamIsSharedAndRewoundOnEveryRequest) {
    const TskThemeFileReader reader = Load(BuildSkinImage({PictureItem("ButtonImage", Bmp(3, 2))}));
    TskPictureStream* first = reader.GetImageStream("ButtonImage");
    ASSERT_NE(first, nullptr);
    first->Seek(0, TSeekOrigin::soEnd);
    TskPictureStream* second = reader.GetImageStream("ButtonImage");
    EXPECT_EQ(second, first);
    EXPECT_EQ(second->Position(), 0);
    EXPECT_EQ(StreamBytes(second), Bmp(3, 2));
    EXPECT_EQ(second->Write("x", 1), 0u); // the file's bytes are read-only
}

TEST(SkinFileReader, ValuesKeepTheirSignAndBooleansAnyNonZeroByte) {
    RawSkin f(24 + 3 * 77 + 5);
    const int32_t data = 24 + 3 * 77;
    f.Record(24, "TitleBarButtonRightOffsetInt", SkinFile::ekInteger, data, 4, 24 + 77);
    f.Record(24 + 77, "ButtonTransparentBool", SkinFile::ekBoolean, data + 4, 1, 24 + 154);
    f.Record(24 + 154, "", 0, 0, 0, 0);
    f.Put32(data, -3);
    f.bytes[data + 4] = 0x80;
    const TskThemeFileReader reader = Load(f.bytes);
    EXPECT_EQ(reader.GetInt("TitleBarButtonRightOffsetInt"), -3);
    EXPECT_TRUE(reader.GetBool("ButtonTransparentBool"));
    EXPECT_EQ(reader.Booleans().Strings(0), "ButtonTransparentBool=128");
}

TEST(SkinFileReader, TextEntriesAreKeptButNeverAnswerLookups) {
    const TskThemeFileReader reader = Load(BuildSkinImage({TextItem("FormBorderWidthInt", "5")}));
    EXPECT_EQ(reader.Strings().Strings(0), "FormBorderWidthInt=5");
    EXPECT_EQ(reader.GetInt("FormBorderWidthInt"), -1);
}

TEST(SkinFileReader, EntriesOfUnknownKindAreSkippedWhateverTheirDataFields) {
    RawSkin f(24 + 3 * 77 + 4);
    f.Record(24, "FormBorderWidthInt", 9, -50, -7, 24 + 77);
    f.Record(24 + 77, "FormBorderWidthInt", SkinFile::ekInteger, 24 + 154, 4, 24 + 154 + 4);
    f.Put32(24 + 154, 4);
    f.Record(24 + 154 + 4, "", 0, 0, 0, 0);
    f.bytes.resize(24 + 154 + 4 + 77);
    EXPECT_EQ(Load(f.bytes).GetInt("FormBorderWidthInt"), 4);
}

TEST(SkinFileReader, ReadsFromAPathAndNamesThePathWhenItRefuses) {
    TempFile good(MinimalFile().bytes);
    EXPECT_EQ(TskThemeFileReader(good.path).GetInt("FormBorderWidthInt"), 2);

    RawSkin broken = MinimalFile();
    broken.Put32(12, 28);
    TempFile bad(broken.bytes);
    try {
        TskThemeFileReader reader(bad.path);
        FAIL() << "loaded a file with header size 28";
    } catch (const ESkinFileError& e) {
        EXPECT_NE(e.Message().find(bad.path), std::string::npos) << e.Message();
    }
    EXPECT_THROW(TskThemeFileReader("/nonexistent/theme.skin"), EFOpenError);
}

// ---- the magic ----

TEST(SkinFileMagic, ExactMagicWithZeroFillIsValidAndAnyOtherCaseIsNot) {
    TempFile good(MinimalFile().bytes);
    EXPECT_TRUE(IsValidSkinFile(good.path));

    RawSkin afterZero = MinimalFile();
    afterZero.bytes[11] = 'X'; // bytes after the terminating zero do not count
    TempFile stillGood(afterZero.bytes);
    EXPECT_TRUE(IsValidSkinFile(stillGood.path));

    for (const char* magic :
         {"quvelto_tb", "QUVELTO_TB", "Quvelto_Tb", "Quvelto_TBX", "Quvelto_T"}) {
        RawSkin f = MinimalFile();
        std::memset(f.bytes.data(), 0, 12);
        std::memcpy(f.bytes.data(), magic, std::strlen(magic));
        TempFile file(f.bytes);
        EXPECT_FALSE(IsValidSkinFile(file.path)) << magic;
        EXPECT_THROW(Load(f.bytes), ESkinFileError) << magic;
    }
}

TEST(SkinFileMagic, MissingOrTooShortFilesAreNotSkinFiles) {
    EXPECT_FALSE(IsValidSkinFile("/nonexistent/theme.skin"));
    std::vector<uint8_t> bytes = MinimalFile().bytes;
    bytes.resize(15);
    TempFile shortFile(bytes);
    EXPECT_FALSE(IsValidSkinFile(shortFile.path));
}

// ---- malformed files ----

struct Malformed {
    const char* name;
    std::vector<uint8_t> (*make)();
    const char* expected; // part of the message
};

std::ostream& operator<<(std::ostream& out, const Malformed& m) {
    return out << m.name;
}

class SkinFileRefuses : public testing::TestWithParam<Malformed> {};

TEST_P(SkinFileRefuses, WithAMessageNamingTheFault) {
    const std::vector<uint8_t> image = GetParam().make();
    try {
        Load(image);
        FAIL() << "loaded";
    } catch (const EReadError& e) {
        EXPECT_NE(dynamic_cast<const ESkinFileError*>(&e), nullptr);
        EXPECT_NE(e.Message().find(GetParam().expected), std::string::npos) << e.Message();
    }
}

namespace {

std::vector<uint8_t> WithPicture(std::vector<uint8_t> picture) {
    RawSkin f(24 + 77 + picture.size() + 77);
    const int32_t next = static_cast<int32_t>(24 + 77 + picture.size());
    f.Record(24, "ButtonImage", SkinFile::ekPicture, 24 + 77, static_cast<int32_t>(picture.size()),
             next);
    f.Put(24 + 77, picture);
    f.Record(next, "", 0, 0, 0, 0);
    return f.bytes;
}

std::vector<uint8_t> WithIntegerRecord(uint8_t kind, int32_t dataOffset, int32_t dataSize) {
    RawSkin f = MinimalFile();
    f.Record(24, "FormBorderWidthInt", kind, dataOffset, dataSize, 105);
    return f.bytes;
}

const Malformed kMalformed[] = {
    {"HeaderSizeAbove24",
     [] {
         RawSkin f = MinimalFile();
         f.Put32(12, 28);
         return f.bytes;
     },
     "header size is 28, not 24"},
    {"HeaderSizeBelow24",
     [] {
         RawSkin f = MinimalFile();
         f.Put32(12, 16);
         return f.bytes;
     },
     "header size is 16"},
    {"ShorterThanTheHeader",
     [] {
         RawSkin f = MinimalFile();
         f.bytes.resize(20);
         return f.bytes;
     },
     "shorter than the 24-byte header"},
    {"FirstRecordPastTheEnd",
     [] {
         RawSkin f = MinimalFile();
         f.Put32(20, 150);
         return f.bytes;
     },
     "first entry record at offset 150"},
    {"FirstRecordAtANegativeOffset",
     [] {
         RawSkin f = MinimalFile();
         f.Put32(20, -77);
         return f.bytes;
     },
     "offset -77"},
    {"ClosingRecordCutOff",
     [] {
         RawSkin f = MinimalFile();
         f.bytes.resize(150);
         return f.bytes;
     },
     "next record at offset 105"},
    {"DataPastTheEnd", [] { return WithIntegerRecord(SkinFile::ekInteger, 180, 4); },
     "lie outside"},
    {"DataAtANegativeOffset", [] { return WithIntegerRecord(SkinFile::ekInteger, -4, 4); },
     "lie outside"},
    {"NegativeDataSize", [] { return WithIntegerRecord(SkinFile::ekText, 101, -1); },
     "is negative"},
    {"HugeDataSizeThatWouldWrap",
     [] { return WithIntegerRecord(SkinFile::ekText, 101, 0x7FFFFFFF); }, "lie outside"},
    {"IntegerOfThreeBytes", [] { return WithIntegerRecord(SkinFile::ekInteger, 101, 3); }, "not 3"},
    {"IntegerOfEightBytes", [] { return WithIntegerRecord(SkinFile::ekInteger, 97, 8); }, "not 8"},
    {"BooleanOfFourBytes", [] { return WithIntegerRecord(SkinFile::ekBoolean, 101, 4); },
     "1 byte, not 4"},
    {"RecordPointingToItself",
     [] {
         RawSkin f = MinimalFile();
         f.Put32(24 + 73, 24);
         return f.bytes;
     },
     "comes back to the record at offset 24"},
    {"TwoRecordsPointingAtEachOther",
     [] {
         RawSkin f(24 + 2 * 77 + 4);
         f.Record(24, "A", SkinFile::ekInteger, 24 + 154, 4, 24 + 77);
         f.Record(24 + 77, "B", SkinFile::ekInteger, 24 + 154, 4, 24);
         return f.bytes;
     },
     "comes back to the record at offset 24"},
    {"PictureThatIsNotABitmap",
     [] {
         return WithPicture({'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                             0,   0,   0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
     },
     "does not begin with \"BM\""},
    {"PictureWithItsPixelsCutOff",
     [] {
         std::vector<uint8_t> b = Bmp(4, 4);
         b.resize(b.size() - 12);
         return WithPicture(b);
     },
     "bytes of pixels"},
    {"PictureOfImpossibleSize",
     [] {
         std::vector<uint8_t> b = Bmp(4, 4);
         SkinFile::WriteInt32(&b[18], 0);
         return WithPicture(b);
     },
     "impossible picture size 0 x 4"},
    {"PictureTooShortForAnyBitmap",
     [] {
         return WithPicture({'B', 'M', 10, 0, 0, 0, 0, 0, 0, 0});
     },
     "too short for a bitmap"},
    {"CoreHeaderPictureWithItsPixelsCutOff",
     [] {
         std::vector<uint8_t> b = Encode(TestBitmaps::Layout::Core24, 4, 4, Quadrants(4, 4, false));
         b.resize(b.size() - 12);
         return WithPicture(b);
     },
     "bytes of pixels"},
    {"PicturePaletteRunningIntoItsPixels",
     [] {
         std::vector<uint8_t> b = Encode(TestBitmaps::Layout::Info8, 4, 4, Quadrants(4, 4, false));
         SkinFile::WriteInt32(&b[10], 14 + 40 + 4 * 4); // inside the 256-colour palette
         return WithPicture(b);
     },
     "has its pixels at offset 70"},
    {"CompressedPictureOfMorePixelsThanAnyDisplay",
     [] {
         // A few bytes of runs would unpack to 100 MB.
         std::vector<uint8_t> b =
             Encode(TestBitmaps::Layout::Info8Rle, 2, 2, Quadrants(2, 2, false));
         SkinFile::WriteInt32(&b[18], 5000);
         SkinFile::WriteInt32(&b[22], 5000);
         return WithPicture(b);
     },
     "25000000 pixels, more than 16777216"},
    {"RecordsStackedCloserThanTheirSize",
     [] {
         // Records 13 bytes apart keep their fields apart but share their
         // names: without a limit a file could hold six times as many entries
         // as fit in it, each costing memory.
         const int records = 100;
         RawSkin f(24 + 13 * (records - 1) + 77);
         for (int i = 0; i < records; ++i)
             f.Record(24 + 13 * i, "", 9, 0, 0, i + 1 < records ? 24 + 13 * (i + 1) : 0);
         return f.bytes;
     },
     "more than the 18 records that fit side by side"},
    {"TextsSharingDataBeyondTheCopyLimit",
     [] {
         // Texts are copied into their lines: 65 texts over one 1 MB block.
         const int32_t block = 1024 * 1024, texts = 65;
         const int32_t data = 24 + (texts + 1) * 77;
         RawSkin f(static_cast<size_t>(data + block));
         for (int32_t i = 0; i < texts; ++i)
             f.Record(24 + 77 * i, "Note", SkinFile::ekText, data, block, 24 + 77 * (i + 1));
         f.Record(24 + 77 * texts, "", 0, 0, 0, 0);
         return f.bytes;
     },
     "the texts add up to more than 67108864 bytes"},
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Malformed, SkinFileRefuses, testing::ValuesIn(kMalformed),
                         [](const testing::TestParamInfo<Malformed>& info) {
                             return info.param.name;
                         });

// ---- valid files that earlier versions of the reader refused ----

TEST(SkinFileAccepts, PicturesSharingOneDataBlockShareItsBytesInsteadOfCopies) {
    const std::vector<uint8_t> bmp = Bmp(16, 16);
    const int records = 40;
    const int32_t data = 24 + (records + 1) * 77;
    RawSkin f(static_cast<size_t>(data) + bmp.size());
    for (int i = 0; i < records; ++i)
        f.Record(24 + 77 * i, "Picture" + std::to_string(i), SkinFile::ekPicture, data,
                 static_cast<int32_t>(bmp.size()), 24 + 77 * (i + 1));
    f.Record(24 + 77 * records, "", 0, 0, 0, 0);
    f.Put(data, bmp);
    const TskThemeFileReader reader = Load(f.bytes);
    ASSERT_EQ(reader.ImageStreams().Count(), records);
    const uint8_t* shared = reader.GetImageStream("Picture0")->Memory();
    for (int i = 0; i < records; ++i) {
        TskPictureStream* stream = reader.GetImageStream("Picture" + std::to_string(i));
        EXPECT_EQ(stream->Memory(), shared) << i;
        EXPECT_EQ(StreamBytes(stream), bmp) << i;
    }
}

TEST(SkinFileAccepts, PictureWhoseFileHeaderStatesAnySize) {
    for (const uint32_t stated : {0u, 1u, 9999u, 0xFFFFFFFFu}) {
        std::vector<uint8_t> b = Bmp(4, 4);
        SkinFile::WriteInt32(&b[2], static_cast<int32_t>(stated));
        const TskThemeFileReader reader = Load(WithPicture(b));
        ASSERT_NE(reader.GetImageStream("ButtonImage"), nullptr) << stated;
        EXPECT_EQ(StreamBytes(reader.GetImageStream("ButtonImage")), b) << stated;
    }
}

TEST(SkinFileAccepts, PictureWithBytesAfterItsPixels) {
    std::vector<uint8_t> b = Bmp(4, 4);
    b.insert(b.end(), 10, 0xEE);
    EXPECT_EQ(Load(WithPicture(b)).GetImageStream("ButtonImage")->Size(),
              static_cast<int64_t>(b.size()));
}

TEST(SkinFileAccepts, PicturesInEveryHeaderLayoutTheLoaderReads) {
    for (const TestBitmaps::Layout layout : TestBitmaps::AllLayouts) {
        const std::vector<uint8_t> b =
            Encode(layout, 5, 3, Quadrants(5, 3, TestBitmaps::OneBit(layout)));
        EXPECT_NO_THROW(Load(WithPicture(b))) << TestBitmaps::Name(layout);
    }
}

TEST(SkinFileAccepts, NamesContainingEqualsSignsAreNamesLikeAnyOther) {
    // Such an entry is never asked for, and it does not hide the entry whose
    // name is the part before its "=".
    const TskThemeFileReader reader = Load(BuildSkinImage({
        IntItem("FormBorderWidthInt=9", 5),
        IntItem("FormBorderWidthInt", 2),
        BoolItem("ButtonTransparentBool=", false),
        BoolItem("ButtonTransparentBool", true),
        PictureItem("Button=Image", Bmp(2, 2)),
        TextItem("a=b", "c=d"),
    }));
    EXPECT_EQ(reader.GetInt("FormBorderWidthInt"), 2);
    EXPECT_EQ(reader.GetInt("FormBorderWidthInt=9"), 5);
    EXPECT_TRUE(reader.GetBool("ButtonTransparentBool"));
    EXPECT_FALSE(reader.GetBool("ButtonTransparentBool="));
    EXPECT_NE(reader.GetImageStream("Button=Image"), nullptr);
    EXPECT_EQ(reader.GetImageStream("Button"), nullptr);
    EXPECT_EQ(reader.Strings().Strings(0), "a=b=c=d");
}

TEST(SkinFileAccepts, EmptyDataAtAnyOffsetReadsNothing) {
    for (const int32_t offset : {0, 10, 23, -5, 1 << 30}) {
        RawSkin f(24 + 2 * 77);
        f.Record(24, "Author", SkinFile::ekText, offset, 0, 24 + 77);
        f.Record(24 + 77, "", 0, 0, 0, 0);
        const TskThemeFileReader reader = Load(f.bytes);
        ASSERT_EQ(reader.Strings().Count(), 1) << offset;
        EXPECT_EQ(reader.Strings().Strings(0), "Author=") << offset;
    }
}

TEST(SkinFileAccepts, RecordsAndDataMayOverlapTheHeader) {
    // The first record starts at offset 0: its name is the magic, and its
    // integer is the header size field.
    RawSkin f(77 + 77, 0);
    f.bytes[64] = SkinFile::ekInteger;
    f.Put32(65, 12);
    f.Put32(69, 4);
    f.Put32(73, 77);
    f.Record(77, "", 0, 0, 0, 0);
    const TskThemeFileReader reader = Load(f.bytes);
    EXPECT_EQ(reader.GetInt("Quvelto_TB"), 24);
}

TEST(SkinFileAccepts, TextsMaySharePartsOfTheFile) {
    RawSkin f(24 + 3 * 77 + 5);
    const int32_t data = 24 + 3 * 77;
    f.Record(24, "Author", SkinFile::ekText, data, 5, 24 + 77);
    f.Record(24 + 77, "Initials", SkinFile::ekText, data, 2, 24 + 154);
    f.Record(24 + 154, "", 0, 0, 0, 0);
    f.Put(data, {'J', 'o', 'h', 'n', 'n'});
    const TskThemeFileReader reader = Load(f.bytes);
    EXPECT_EQ(reader.Strings().Text(), "Author=Johnn\r\nInitials=Jo\r\n");
}
