#include "config/ConfigStore.h"
#include "config/ConfigReadScope.h"
#include "config/ConfigSettings.h"
#include "trace/TraceLog.h"

#include "Registry.h"
#include "Scratch.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

using namespace TestRegistry;

namespace {

const std::string Configurations = "Software\\Tessaly\\Velmont\\Configurations";

std::string SectionKey(const std::string& configuration, const std::string& section) {
    return Configurations + "\\" + configuration + "\\" + section;
}

class ConfigStoreTest : public ::testing::Test {
protected:
    void TearDown() override { ConfigureTrace("none", 0, ""); }

    // The trace lines written while the trace file was open (masks 1 and 2).
    void StartTrace() { ConfigureTrace("flushed", 3, tracePath.c_str()); }
    std::string StopTrace() {
        ConfigureTrace("none", 0, "");
        return ReadBytes(tracePath);
    }

    ProductRegistryScope scope;
    ScratchFolder scratch;
    std::string tracePath = scratch.File("trace.log");
};

// A thread that has never loaded a store: its current configuration key is empty.
template <typename Work> void OnFreshThread(Work work) {
    std::thread thread(work);
    thread.join();
}

} // namespace

TEST_F(ConfigStoreTest, MissingConfigNameMeansTheStandardConfiguration) {
    SetString(HKEY_CURRENT_USER, SettingsPath, "Folder", "C:\\Velmont");
    SetDword(HKEY_CURRENT_USER, SectionKey("_*Standard*_", "Main").c_str(), "Version", 7);
    ConfigStore store;
    store.Load();
    EXPECT_STREQ("_*Standard*_", store.configurationName.Text());
    EXPECT_EQ(Configurations + "\\_*Standard*_", CurrentConfigKey().Text());
    EXPECT_EQ(7, ConfigInt("Main", "Version", 0).Value());
    SetString(HKEY_CURRENT_USER, SettingsPath, "Config", "");
    ConfigStore again;
    again.Load();
    EXPECT_STREQ("_*Standard*_", again.configurationName.Text());
}

TEST_F(ConfigStoreTest, RootFolderAndNameMakeTheConfigurationFolder) {
    SetString(HKEY_CURRENT_USER, SettingsPath, "Config", "Branch");
    SetString(HKEY_CURRENT_USER, SettingsPath, "Folder", "C:\\Unused");
    SetString(HKEY_CURRENT_USER, SectionKey("Branch", "Main").c_str(), "RootFolder", "D:\\Root");
    StartTrace();
    ConfigStore store;
    store.Load();
    std::string trace = StopTrace();
    EXPECT_STREQ(ProductConfigurationsKey, store.configurationsKey.Text());
    EXPECT_STREQ("Branch", store.configurationName.Text());
    EXPECT_STREQ("D:\\Root", store.rootFolder.Text());
    EXPECT_STREQ("D:\\Root\\Branch", store.configurationFolder.Text());
    EXPECT_NE(std::string::npos, trace.find("Set config 'D:\\Root\\Branch' 'Branch'"));
}

TEST_F(ConfigStoreTest, EmptyRootFolderFallsBackToTheSettingsFolder) {
    SetString(HKEY_CURRENT_USER, SettingsPath, "Config", "Branch");
    SetString(HKEY_CURRENT_USER, SettingsPath, "Folder", "E:\\Folder");
    SetString(HKEY_CURRENT_USER, SectionKey("Branch", "Main").c_str(), "RootFolder", "");
    ConfigStore store;
    store.Load();
    EXPECT_STREQ("E:\\Folder", store.configurationFolder.Text());
    EXPECT_STREQ("E:\\Folder", store.rootFolder.Text());
}

TEST_F(ConfigStoreTest, WithoutTheProductNothingIsCreatedAndDefaultsAreRead) {
    OnFreshThread([this] {
        StartTrace();
        ConfigStore store;
        store.Load();
        EXPECT_TRUE(CurrentConfigKey().IsEmpty());
        EXPECT_STREQ("dflt", ConfigString("Main", "LogFile", "dflt").Value().Text());
        {
            ConfigInt mode("Main", "TraceMode", 4);
            EXPECT_EQ(4, mode.Value());
            mode.SetValue(1);
        }
        ConfigList events("Schedule", "Event");
        events.Load("");
        EXPECT_EQ(0, events.Count());
        std::string trace = StopTrace();
        EXPECT_NE(std::string::npos, trace.find("Set config '' ''"));
        EXPECT_NE(std::string::npos, trace.find("* Set config int failed '' Sect 'Main'"));
    });
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, ProductRoot));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Main"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "\\Main"));
}

TEST_F(ConfigStoreTest, AFailedLoadKeepsThePreviousConfiguration) {
    SetString(HKEY_CURRENT_USER, SettingsPath, "Config", "Kept");
    ConfigStore store;
    store.Load();
    ClearProduct();
    store.Load();
    EXPECT_STREQ("Kept", store.configurationName.Text());
    EXPECT_EQ(Configurations + "\\Kept", CurrentConfigKey().Text());
}

TEST_F(ConfigStoreTest, EachThreadHasItsOwnCurrentConfiguration) {
    SetString(HKEY_CURRENT_USER, SettingsPath, "Config", "Main thread");
    ConfigStore store;
    store.Load();
    SetString(HKEY_CURRENT_USER, SettingsPath, "Config", "Other thread");
    OnFreshThread([] {
        EXPECT_TRUE(CurrentConfigKey().IsEmpty());
        ConfigStore other;
        other.Load();
        EXPECT_EQ(Configurations + "\\Other thread", CurrentConfigKey().Text());
    });
    EXPECT_EQ(Configurations + "\\Main thread", CurrentConfigKey().Text());
}

TEST_F(ConfigStoreTest, OverlongConfigurationNamesReadDefaults) {
    std::string name(5000, 'n');
    SetString(HKEY_CURRENT_USER, SettingsPath, "Config", name);
    ConfigStore store;
    store.Load();
    EXPECT_EQ(name, store.configurationName.Text());
    EXPECT_EQ(Configurations.size() + 1 + name.size(), size_t(CurrentConfigKey().Length()));
    EXPECT_STREQ("dflt", ConfigString("Main", "RootFolder", "dflt").Value().Text());
    EXPECT_EQ(9, ConfigInt("Main", "Version", 9).Value());
    ConfigInt write("Main", "TraceMode", 0);
    write.SetValue(1);
}

class ConfigSettingsTest : public ConfigStoreTest {
protected:
    void SetUp() override {
        SetString(HKEY_CURRENT_USER, SettingsPath, "Config", "Test");
        store.Load();
    }
    std::string Section(const char* name) { return SectionKey("Test", name); }

    ConfigStore store;
};

TEST_F(ConfigSettingsTest, StringSettingsFollowTheRegistryRules) {
    std::string main = Section("Main");
    SetString(HKEY_CURRENT_USER, main.c_str(), "Plain", "C:\\Logs\\report.log");
    SetEnvironmentVariableA("VLD_CONFIG_TEST", "X:\\Expanded");
    SetString(HKEY_CURRENT_USER, main.c_str(), "Expand", "%VLD_CONFIG_TEST%\\log", REG_EXPAND_SZ);
    SetDword(HKEY_CURRENT_USER, main.c_str(), "Number", 5);
    EXPECT_STREQ("C:\\Logs\\report.log", ConfigString("Main", "Plain", "d").Value().Text());
    EXPECT_STREQ("X:\\Expanded\\log", ConfigString("Main", "Expand", "d").Value().Text());
    EXPECT_STREQ("d", ConfigString("Main", "Number", "d").Value().Text());
    EXPECT_STREQ("d", ConfigString("Main", "Absent", "d").Value().Text());
    EXPECT_STREQ("d", ConfigString("Missing", "Absent", "d").Value().Text());
}

TEST_F(ConfigSettingsTest, IntegerSettingsReadOnlyDwords) {
    std::string main = Section("Main");
    SetDword(HKEY_CURRENT_USER, main.c_str(), "Version", 1);
    SetDword(HKEY_CURRENT_USER, main.c_str(), "Negative", 0xFFFFFFFF);
    SetString(HKEY_CURRENT_USER, main.c_str(), "Text", "12");
    SetBinary(HKEY_CURRENT_USER, main.c_str(), "Short", std::string("\x01\x02", 2));
    EXPECT_EQ(1, ConfigInt("Main", "Version", 0).Value());
    EXPECT_EQ(-1, ConfigInt("Main", "Negative", 0).Value());
    EXPECT_EQ(3, ConfigInt("Main", "Text", 3).Value());
    EXPECT_EQ(3, ConfigInt("Main", "Short", 3).Value());
    EXPECT_EQ(3, ConfigInt("Main", "Absent", 3).Value());
}

TEST_F(ConfigSettingsTest, ReadingCreatesNoKey) {
    ConfigString("Alerts", "Anything", "");
    ConfigInt("Sites", "ZNameCount", 0);
    ConfigList list("WorkGroups", "Work1_");
    list.Load("");
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Section("Alerts").c_str()));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Section("Sites").c_str()));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Section("WorkGroups").c_str()));
}

TEST_F(ConfigSettingsTest, AChangedIntegerIsWrittenWhenItGoes) {
    {
        ConfigInt mode("Main", "TraceMode", 0);
        EXPECT_EQ(0, mode.Value());
        mode.SetValue(3);
        EXPECT_EQ(3, mode.Value());
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Section("Main").c_str()));
    }
    DWORD stored = 0;
    ASSERT_TRUE(GetDword(HKEY_CURRENT_USER, Section("Main").c_str(), "TraceMode", stored));
    EXPECT_EQ(3u, stored);
    EXPECT_EQ(3, ConfigInt("Main", "TraceMode", 0).Value());
}

TEST_F(ConfigSettingsTest, AnUnchangedIntegerWritesNothing) {
    {
        ConfigInt mode("Main", "TraceMode", 0);
        mode.SetValue(0);
    }
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Section("Main").c_str()));
    SetDword(HKEY_CURRENT_USER, Section("Main").c_str(), "TraceMode", 2);
    {
        ConfigInt mode("Main", "TraceMode", 0);
        mode.SetValue(5);
        mode.SetValue(2);
        RegDeleteKeyValueA(HKEY_CURRENT_USER, Section("Main").c_str(), "TraceMode");
    }
    DWORD stored = 0;
    EXPECT_TRUE(GetDword(HKEY_CURRENT_USER, Section("Main").c_str(), "TraceMode", stored));
    EXPECT_EQ(2u, stored);
}

TEST_F(ConfigSettingsTest, ListsFollowTheCountAndNumberedItems) {
    std::string schedule = Section("Schedule");
    SetDword(HKEY_CURRENT_USER, schedule.c_str(), "EventCount", 3);
    SetString(HKEY_CURRENT_USER, schedule.c_str(), "Event0", "first");
    SetString(HKEY_CURRENT_USER, schedule.c_str(), "Event2", "third");
    SetString(HKEY_CURRENT_USER, schedule.c_str(), "Event3", "beyond the count");
    SetString(HKEY_CURRENT_USER, schedule.c_str(), "Event01", "leading zero");
    ConfigList events("Schedule", "Event");
    events.Load("none");
    ASSERT_EQ(3, events.Count());
    EXPECT_STREQ("first", events.GetAt(0).Text());
    EXPECT_STREQ("none", events.GetAt(1).Text());
    EXPECT_STREQ("third", events.GetAt(2).Text());
    events.Load("");
    ASSERT_EQ(6, events.Count());
    EXPECT_STREQ("first", events.GetAt(3).Text());
    EXPECT_STREQ("", events.GetAt(4).Text());
}

TEST_F(ConfigSettingsTest, ListCountsThatAreNotPositiveDwordsGiveNoItems) {
    std::string sites = Section("Sites");
    SetString(HKEY_CURRENT_USER, sites.c_str(), "ZName0", "www.example");
    struct Case {
        const char* name;
        void (*store)(const std::string& key);
    };
    const Case cases[] = {
        {"text count",
         [](const std::string& key) {
             SetString(HKEY_CURRENT_USER, key.c_str(), "ZNameCount", "1");
         }},
        {"zero count",
         [](const std::string& key) { SetDword(HKEY_CURRENT_USER, key.c_str(), "ZNameCount", 0); }},
        {"negative count",
         [](const std::string& key) {
             SetDword(HKEY_CURRENT_USER, key.c_str(), "ZNameCount", 0x80000000);
         }},
    };
    for (const Case& c : cases) {
        c.store(sites);
        ConfigList names("Sites", "ZName");
        names.Load("");
        EXPECT_EQ(0, names.Count()) << c.name;
    }
}

TEST_F(ConfigSettingsTest, ADamagedHugeCountIsBounded) {
    SetDword(HKEY_CURRENT_USER, Section("Sites").c_str(), "ZNameCount", 0x7FFFFFFF);
    ConfigList names("Sites", "ZName");
    names.Load("");
    EXPECT_EQ(ConfigList::MostItems, names.Count());
}

TEST_F(ConfigSettingsTest, AReadScopeReadsTheSameSettingsAndEndsWithItsPass) {
    SetDword(HKEY_CURRENT_USER, Section("Main").c_str(), "Version", 4);
    {
        ConfigReadScope reads;
        ConfigReadScope nested;
        EXPECT_EQ(4, ConfigInt("Main", "Version", 0).Value());
        EXPECT_EQ(9, ConfigInt("Missing", "Version", 9).Value());
        ConfigInt("Main", "TraceMode", 0).SetValue(2);
        EXPECT_EQ(2, ConfigInt("Main", "TraceMode", 0).Value());
    }
    SetString(HKEY_CURRENT_USER, SettingsPath, "Config", "Other");
    SetDword(HKEY_CURRENT_USER, SectionKey("Other", "Main").c_str(), "Version", 5);
    store.Load();
    EXPECT_EQ(5, ConfigInt("Main", "Version", 0).Value());
}

// A pass may read more sections than its scope keeps open at once: each reads its own values.
TEST_F(ConfigSettingsTest, EverySectionOfAReadScopeReadsItsOwnKey) {
    const int sections = 12;
    for (int i = 0; i < sections; ++i) {
        SetDword(HKEY_CURRENT_USER, Section(("S" + std::to_string(i)).c_str()).c_str(), "N", i);
    }
    ConfigReadScope reads;
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < sections; ++i) {
            EXPECT_EQ(i, ConfigInt(("S" + std::to_string(i)).c_str(), "N", -1).Value());
        }
        EXPECT_EQ(3, ConfigInt("s3", "N", -1).Value());
    }
}
