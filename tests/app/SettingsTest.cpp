// The settings store against the real registry of the test's Wine prefix:
// the value table, the load at start-up and Apply's saving steps. Runs only
// in a prefix the harness made, and leaves its registry as it found it.

#include "app/DisplayMode.h"
#include "app/Settings.h"
#include "framework/Exceptions.h"
#include "framework/Forms.h"
#include "framework/Registry.h"
#include "tests/app/HarnessPrefix.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

std::pair<DWORD, std::vector<uint8_t>> Stored(const char* key, const char* name) {
    DWORD type = 0, size = 0;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, key, name, RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr,
                     &size) != ERROR_SUCCESS)
        return {REG_NONE, {}};
    std::vector<uint8_t> data(size);
    RegGetValueA(HKEY_LOCAL_MACHINE, key, name, RRF_RT_ANY | RRF_NOEXPAND, &type, data.data(),
                 &size);
    data.resize(size);
    return {type, data};
}

std::vector<uint8_t> Dword(uint32_t v) {
    return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
}

void Put(const char* key, const char* name, DWORD type, const void* data, DWORD size) {
    HKEY k;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k,
                              nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(k, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(k);
}
void PutDword(const char* key, const char* name, uint32_t v) {
    Put(key, name, REG_DWORD, &v, 4);
}
void PutString(const char* key, const char* name, const std::string& s) {
    Put(key, name, REG_SZ, s.c_str(), static_cast<DWORD>(s.size() + 1));
}

const char* const DriverServiceKey = "SYSTEM\\CurrentControlSet\\Services\\ialm";

class SettingsStore : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(InHarnessPrefix());
        StartFromAFirstRun();
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, RunKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &run_,
                        nullptr);
        form = std::make_unique<TForm>(nullptr);
        form->HandleNeeded();
        scaling = Make<TskCheckBox>();
        startup = Make<TskCheckBox>();
        indicators = Make<TskCheckGroup>();
        indicators->Items()->SetStrings({"Show Cap Lock", "Show Num Lock", "Show Scroll Lock"});
        resolution = Make<TskRadioGroup>();
        resolution->Items()->SetStrings(
            {"1024x768x32", "800x600x32", "800x480x32", "1024x768x16", "800x600x16", "800x480x16"});
        DisplayMode = TDisplayMode{};
    }
    void TearDown() override {
        if (run_) RegCloseKey(run_);
    }
    // No settings, no autostart entries; all of it comes back afterwards.
    void StartFromAFirstRun() {
        registry.KeepKey(SettingsKey);
        for (const char* name :
             {"scaling", "CapLock", "NumLock", "ScrollLock", "Width", "Height", "Bits"})
            registry.KeepValue(SettingsKey, name);
        registry.ClearValues(SettingsKey);
        registry.KeepKey(RunKey);
        for (const char* name : {"MOXEL Utility", "Korbtray"}) {
            registry.KeepValue(RunKey, name);
            RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, RunKey, name);
        }
        driverServiceExisted = registry.KeepKey(DriverServiceKey);
        registry.KeepKey(DriverKey);
        registry.KeepValue(DriverKey, "Display1_DownScalingEnabled");
    }
    static void CreateDriverKey() {
        HKEY key;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, DriverKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr);
        RegCloseKey(key);
    }
    template <class C> C* Make() {
        auto* control = new C(form.get());
        control->SetParent(form.get());
        return control;
    }
    void Load() {
        LoadSettings(TSettingsControls{scaling, startup, indicators, resolution,
                                       [this](int32_t w, int32_t h, int32_t b) {
                                           modesSet.push_back(TDisplayMode{w, h, b});
                                       }});
    }
    std::string LoadError() {
        try {
            Load();
        } catch (const ERegistryException& error) {
            return error.what();
        }
        return "";
    }

    RegistryRestorer registry;
    bool driverServiceExisted = false;
    HKEY run_ = nullptr;
    std::unique_ptr<TForm> form;
    TskCheckBox* scaling = nullptr;
    TskCheckBox* startup = nullptr;
    TskCheckGroup* indicators = nullptr;
    TskRadioGroup* resolution = nullptr;
    std::vector<TDisplayMode> modesSet;
};

// ------------------------------------------------------------------ scaling

TEST_F(SettingsStore, ScalingWritesTheDriverFlagAsFourBinaryBytesAndTheSetting) {
    CreateDriverKey();
    SetScaling(true);
    EXPECT_EQ(Stored(DriverKey, "Display1_DownScalingEnabled"),
              std::make_pair(DWORD(REG_BINARY), std::vector<uint8_t>{1, 0, 0, 0}));
    EXPECT_EQ(Stored(SettingsKey, "scaling"), std::make_pair(DWORD(REG_DWORD), Dword(1)));
    SetScaling(false);
    EXPECT_EQ(Stored(DriverKey, "Display1_DownScalingEnabled"),
              std::make_pair(DWORD(REG_BINARY), std::vector<uint8_t>{0, 0, 0, 0}));
    EXPECT_EQ(Stored(SettingsKey, "scaling"), std::make_pair(DWORD(REG_DWORD), Dword(0)));
}

TEST_F(SettingsStore, ScalingWithoutTheDriverKeyCreatesNoKeyButStoresTheSetting) {
    // Another display driver's machine; the key of this one is never deleted.
    ASSERT_FALSE(driverServiceExisted) << "this prefix has the display driver's key: the test "
                                          "needs one without it";
    SetScaling(true);
    EXPECT_FALSE(KeyExists(DriverKey));
    EXPECT_FALSE(KeyExists("SYSTEM\\CurrentControlSet\\Services\\ialm"));
    EXPECT_EQ(Stored(SettingsKey, "scaling"), std::make_pair(DWORD(REG_DWORD), Dword(1)));
}

// ------------------------------------------------------------------ saving on Apply

TEST_F(SettingsStore, IndicatorChoicesAreStoredAsDwords) {
    indicators->SetItemChecked(0, true);
    indicators->SetItemChecked(2, true);
    SaveIndicators(*indicators);
    EXPECT_EQ(Stored(SettingsKey, "CapLock"), std::make_pair(DWORD(REG_DWORD), Dword(1)));
    EXPECT_EQ(Stored(SettingsKey, "NumLock"), std::make_pair(DWORD(REG_DWORD), Dword(0)));
    EXPECT_EQ(Stored(SettingsKey, "ScrollLock"), std::make_pair(DWORD(REG_DWORD), Dword(1)));
}

TEST_F(SettingsStore, DisplayModeIsStoredAsThreeDwords) {
    DisplayMode = TDisplayMode{800, 400, 16};
    StoreDisplayMode();
    EXPECT_EQ(Stored(SettingsKey, "Width"), std::make_pair(DWORD(REG_DWORD), Dword(800)));
    EXPECT_EQ(Stored(SettingsKey, "Height"), std::make_pair(DWORD(REG_DWORD), Dword(400)));
    EXPECT_EQ(Stored(SettingsKey, "Bits"), std::make_pair(DWORD(REG_DWORD), Dword(16)));
}

std::vector<uint8_t> Sz(const std::string& s) {
    return std::vector<uint8_t>(s.c_str(), s.c_str() + s.size() + 1);
}

TEST_F(SettingsStore, AutostartTickedReplacesTheVendorToolWithOurPath) {
    PutString(RunKey, "Korbtray", "C:\\korbtray.exe");
    UpdateAutostart(true, "C:\\Tools\\MoxelUtility.exe");
    EXPECT_EQ(Stored(RunKey, "Korbtray").first, DWORD(REG_NONE));
    EXPECT_EQ(Stored(RunKey, "MOXEL Utility"),
              std::make_pair(DWORD(REG_SZ), Sz("C:\\Tools\\MoxelUtility.exe")));
}

TEST_F(SettingsStore, AutostartPathWithASpaceIsQuoted) {
    UpdateAutostart(true, "C:\\Program Files\\MOXEL\\MoxelUtility.exe");
    EXPECT_EQ(Stored(RunKey, "MOXEL Utility"),
              std::make_pair(DWORD(REG_SZ), Sz("\"C:\\Program Files\\MOXEL\\MoxelUtility.exe\"")));
    EXPECT_EQ(AutostartCommand("C:\\a\\b.exe"), "C:\\a\\b.exe");
}

TEST_F(SettingsStore, AutostartUntickedRemovesOnlyOurEntry) {
    PutString(RunKey, "MOXEL Utility", "C:\\MoxelUtility.exe");
    PutString(RunKey, "Korbtray", "C:\\korbtray.exe");
    UpdateAutostart(false, "C:\\MoxelUtility.exe");
    EXPECT_EQ(Stored(RunKey, "MOXEL Utility").first, DWORD(REG_NONE));
    EXPECT_EQ(Stored(RunKey, "Korbtray").first, DWORD(REG_SZ));
    UpdateAutostart(false, "C:\\MoxelUtility.exe"); // already absent
    EXPECT_EQ(Stored(RunKey, "MOXEL Utility").first, DWORD(REG_NONE));
}

// ------------------------------------------------------------------ loading at start

TEST_F(SettingsStore, FirstRunChangesNothing) {
    Load();
    EXPECT_TRUE(modesSet.empty());
    EXPECT_FALSE(scaling->Checked());
    EXPECT_FALSE(startup->Checked());
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(indicators->ItemChecked(i));
    EXPECT_EQ(resolution->ItemIndex(), -1);
    EXPECT_EQ(Stored(SettingsKey, "scaling").first, DWORD(REG_NONE));
    EXPECT_TRUE(KeyExists(SettingsKey));
}

TEST_F(SettingsStore, StoredSettingsReachTheControlsAndTheDriver) {
    CreateDriverKey();
    PutDword(SettingsKey, "scaling", 1);
    PutDword(SettingsKey, "CapLock", 1);
    PutDword(SettingsKey, "NumLock", 0);
    PutDword(SettingsKey, "ScrollLock", 5);
    PutDword(SettingsKey, "Width", 800);
    PutDword(SettingsKey, "Height", 600);
    PutDword(SettingsKey, "Bits", 32);
    PutString(RunKey, "MOXEL Utility", "C:\\MoxelUtility.exe");
    Load();
    EXPECT_TRUE(scaling->Checked());
    EXPECT_EQ(Stored(DriverKey, "Display1_DownScalingEnabled").second,
              (std::vector<uint8_t>{1, 0, 0, 0}));
    EXPECT_TRUE(indicators->ItemChecked(0));
    EXPECT_FALSE(indicators->ItemChecked(1));
    EXPECT_TRUE(indicators->ItemChecked(2));
    ASSERT_EQ(modesSet.size(), 1u);
    EXPECT_EQ(modesSet[0].Width, 800);
    EXPECT_EQ(modesSet[0].Height, 600);
    EXPECT_EQ(modesSet[0].Bits, 32);
    EXPECT_EQ(resolution->ItemIndex(), 1);
    EXPECT_TRUE(startup->Checked());
}

TEST_F(SettingsStore, StoredScalingOffUnticksAndClearsTheFlag) {
    CreateDriverKey();
    scaling->SetChecked(true);
    PutDword(SettingsKey, "scaling", 0);
    Load();
    EXPECT_FALSE(scaling->Checked());
    EXPECT_EQ(Stored(DriverKey, "Display1_DownScalingEnabled").second,
              (std::vector<uint8_t>{0, 0, 0, 0}));
}

TEST_F(SettingsStore, SixteenBitModeSelectsTheThirtyTwoBitRowOfItsSize) {
    PutDword(SettingsKey, "Width", 800);
    PutDword(SettingsKey, "Height", 480);
    PutDword(SettingsKey, "Bits", 16);
    Load();
    ASSERT_EQ(modesSet.size(), 1u);
    EXPECT_EQ(modesSet[0].Bits, 16);
    EXPECT_EQ(resolution->ItemIndex(), 2);
}

TEST_F(SettingsStore, ModeOutsideTheTableIsAppliedWithoutARow) {
    PutDword(SettingsKey, "Width", 1280);
    PutDword(SettingsKey, "Height", 1024);
    PutDword(SettingsKey, "Bits", 32);
    Load();
    ASSERT_EQ(modesSet.size(), 1u);
    EXPECT_EQ(modesSet[0].Width, 1280);
    EXPECT_EQ(resolution->ItemIndex(), -1);
}

TEST_F(SettingsStore, ModeWithAZeroPartIsNotApplied) {
    PutDword(SettingsKey, "Width", 800);
    PutDword(SettingsKey, "Height", 0);
    PutDword(SettingsKey, "Bits", 32);
    Load();
    EXPECT_TRUE(modesSet.empty());
    EXPECT_EQ(resolution->ItemIndex(), -1);
    EXPECT_EQ(DisplayMode.Width, 800);
}

TEST_F(SettingsStore, ValuesOfTheWrongTypeStopTheLoadWithTheirTexts) {
    PutString(SettingsKey, "Width", "1024");
    PutDword(SettingsKey, "CapLock", 1);
    EXPECT_EQ(LoadError(), "Failed to get data for 'Width'");
    EXPECT_TRUE(indicators->ItemChecked(0)); // read before the bad value
    registry.ClearValues(SettingsKey);
    const uint8_t four[4] = {1, 0, 0, 0};
    Put(SettingsKey, "NumLock", REG_BINARY, four, 4);
    EXPECT_EQ(LoadError(), "Invalid data type for 'NumLock'");
}

// Every stored value in every wrong shape: the load stops at it with the
// store's own text, and neither it nor any other value is changed or lost.
struct WrongShape {
    const char* Name;
    DWORD Type;
    std::vector<uint8_t> Data;
    const char* Text; // with %s for the value's name
};

const WrongShape WrongShapes[] = {
    {"a short string", REG_SZ, {'1', 0}, "Invalid data type for '%s'"},
    {"a long string", REG_SZ, {'1', '0', '2', '4', 0}, "Failed to get data for '%s'"},
    {"an empty string", REG_SZ, {0}, "Invalid data type for '%s'"},
    {"1 binary byte", REG_BINARY, {1}, "Invalid data type for '%s'"},
    {"4 binary bytes", REG_BINARY, {1, 0, 0, 0}, "Invalid data type for '%s'"},
    {"8 binary bytes", REG_BINARY, {1, 0, 0, 0, 0, 0, 0, 0}, "Failed to get data for '%s'"},
    {"empty binary data", REG_BINARY, {}, "Invalid data type for '%s'"},
    {"a qword", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}, "Failed to get data for '%s'"},
    {"a short multi-string", REG_MULTI_SZ, {'1', 0, 0}, "Invalid data type for '%s'"},
    {"a long multi-string",
     REG_MULTI_SZ,
     {'8', '0', '0', 0, '6', 0, 0},
     "Failed to get data for '%s'"},
    {"no type and no data", REG_NONE, {}, "Invalid data type for '%s'"},
};

TEST_F(SettingsStore, EveryValueInEveryWrongShapeStopsTheLoadAndKeepsAllValues) {
    const char* const names[] = {"scaling", "CapLock", "NumLock", "ScrollLock",
                                 "Width",   "Height",  "Bits"};
    const uint32_t good[] = {1, 1, 0, 1, 800, 600, 32};
    for (size_t bad = 0; bad < 7; ++bad) {
        for (const WrongShape& shape : WrongShapes) {
            SCOPED_TRACE(std::string(names[bad]) + " as " + shape.Name);
            registry.ClearValues(SettingsKey);
            for (size_t i = 0; i < 7; ++i)
                if (i == bad)
                    Put(SettingsKey, names[i], shape.Type, shape.Data.data(),
                        static_cast<DWORD>(shape.Data.size()));
                else
                    PutDword(SettingsKey, names[i], good[i]);

            EXPECT_EQ(LoadError(), Format(shape.Text, names[bad]));

            EXPECT_EQ(Stored(SettingsKey, names[bad]), std::make_pair(shape.Type, shape.Data));
            for (size_t i = 0; i < 7; ++i) {
                if (i == bad) continue;
                EXPECT_EQ(Stored(SettingsKey, names[i]),
                          std::make_pair(DWORD(REG_DWORD), Dword(good[i])))
                    << names[i];
            }
            EXPECT_TRUE(modesSet.empty()) << "no mode is applied from a broken set";
            modesSet.clear();
        }
    }
}

TEST_F(SettingsStore, AutostartBoxFollowsTheRunValue) {
    startup->SetChecked(true);
    Load();
    EXPECT_FALSE(startup->Checked());
    PutString(RunKey, "MOXEL Utility", "x");
    Load();
    EXPECT_TRUE(startup->Checked());
}

// ------------------------------------------------------------------ display mode helpers

TEST(DisplayModeTable, RowsTextsAndSizes) {
    EXPECT_EQ(ModeText(800, 480, 32), "800x480x32");
    for (const TModeRow& row : ModeRows)
        EXPECT_EQ(ModeText(row.Width, row.Height, row.Bits), row.Text);
    EXPECT_EQ(RowOfSize(1024, 768), 0);
    EXPECT_EQ(RowOfSize(800, 600), 1);
    EXPECT_EQ(RowOfSize(800, 480), 2);
    EXPECT_EQ(RowOfSize(1280, 1024), -1);
}

TEST(DisplayModeTable, FirstModeRecordMarksBitsWidthAndHeight) {
    const DEVMODEA mode = FirstModeRecord();
    EXPECT_EQ(mode.dmFields, 0x001C0000u);
    DEVMODEA first{};
    first.dmSize = sizeof first;
    ASSERT_TRUE(EnumDisplaySettingsA(nullptr, 0, &first));
    EXPECT_EQ(mode.dmPelsWidth, first.dmPelsWidth);
    EXPECT_EQ(mode.dmBitsPerPel, first.dmBitsPerPel);
}

} // namespace
