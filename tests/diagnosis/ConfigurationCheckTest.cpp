#include "diagnosis/ConfigurationCheck.h"

#include "config/ConfigStore.h"

#include "RecordingReport.h"
#include "Registry.h"

#include <gtest/gtest.h>

#include <string>

using namespace TestRegistry;

namespace {

const std::string Base = "Software\\Tessaly\\Velmont\\Configurations\\Check\\";

class ConfigurationCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetString(HKEY_CURRENT_USER, SettingsPath, "Config", "Check");
        store.Load();
    }

    void Text(const char* section, const char* name, const std::string& value) {
        SetString(HKEY_CURRENT_USER, (Base + section).c_str(), name, value);
    }
    void Number(const char* section, const char* name, DWORD value) {
        SetDword(HKEY_CURRENT_USER, (Base + section).c_str(), name, value);
    }

    ProductRegistryScope scope;
    ConfigStore store;
    RecordingReport report;
};

} // namespace

TEST_F(ConfigurationCheckTest, EventsWithWorkGroupsAndASchemeWithItems) {
    Number("Main", "Version", 1);
    Number("Schedule", "EventCount", 2);
    Text("Schedule", "Event0", "Home,15,30,1,http://a/,0,x");
    Text("Schedule", "Event1", "Shop\\, basket,5,6,2");
    Text("WorkGroups", "Work1_Name", "Pages");
    Number("WorkGroups", "Work1_Count", 1);
    Text("WorkGroups", "Work1_0", "Home");
    Text("WorkGroups", "Work2_Name", "Shop");
    Number("WorkGroups", "Work2_Count", 2);
    Text("WorkGroups", "Work2_0", "Basket");
    Text("WorkGroups", "Work2_1", "Payment");
    Number("Alerts", "SchemeNamesCount", 1);
    Text("Alerts", "SchemeNames0", "Office");
    Number("Alerts", "OfficeCount", 2);
    Text("Alerts", "Office0", "Mail");
    Text("Alerts", "Office1", "Sound");
    EXPECT_EQ(0u, ConfigurationCheck(report));
    EXPECT_EQ("Config Version 1\r\n"
              "Events :\r\n"
              "Event 0 Home 15 30\r\n"
              "Work Group Name 'Pages'\r\n"
              "Item 'Home'\r\n"
              "Event 1 Shop, basket 5 6\r\n"
              "Work Group Name 'Shop'\r\n"
              "Item 'Basket'\r\n"
              "Item 'Payment'\r\n"
              "Alerts :\r\n"
              "Scheme 'Office'\r\n"
              "Item 'Mail'\r\n"
              "Item 'Sound'\r\n"
              "No sites are configured\r\n",
              report.Text());
}

TEST_F(ConfigurationCheckTest, NothingConfigured) {
    EXPECT_EQ(2u, ConfigurationCheck(report));
    EXPECT_EQ("Config Version 0\r\n"
              "No events are scheduled\r\n"
              "No alerts are configured\r\n"
              "No sites are configured\r\n",
              report.Text());
}

TEST_F(ConfigurationCheckTest, VersionAndCountsDecideTheResult) {
    struct Case {
        DWORD version;
        DWORD events;
        DWORD schemes;
        StageCode result;
    } const cases[] = {
        {1, 1, 1, 0}, {2, 0, 0, 2},          {2, 1, 1, 2},
        {1, 0, 1, 3}, {1, 1, 0, 3},          {1, 0xFFFFFFFF, 1, 3},
        {0, 1, 1, 2}, {0xFFFFFFFF, 1, 1, 2}, {1, 0x80000000, 1, 3},
    };
    for (const Case& c : cases) {
        Number("Main", "Version", c.version);
        Number("Schedule", "EventCount", c.events);
        Number("Alerts", "SchemeNamesCount", c.schemes);
        report.appends.clear();
        EXPECT_EQ(c.result, ConfigurationCheck(report))
            << c.version << " " << c.events << " " << c.schemes;
        EXPECT_EQ("Config Version " + std::to_string(c.version) + "\r\n", report.appends[0]);
    }
}

TEST_F(ConfigurationCheckTest, MissingItemsAreEmptyItems) {
    Number("Main", "Version", 1);
    Number("Sites", "ZNameCount", 3);
    Text("Sites", "ZName0", "www");
    Text("Sites", "ZName2", "shop");
    Number("Alerts", "SchemeNamesCount", 2);
    Text("Alerts", "SchemeNames0", "Night");
    Text("Alerts", "NightCount", "2");
    Text("Alerts", "Night0", "not listed: the count is text");
    EXPECT_EQ(3u, ConfigurationCheck(report));
    EXPECT_EQ("Config Version 1\r\n"
              "No events are scheduled\r\n"
              "Alerts :\r\n"
              "Scheme 'Night'\r\n"
              "Scheme ''\r\n"
              "Sites :\r\n"
              "Site 'www'\r\n"
              "Site ''\r\n"
              "Site 'shop'\r\n",
              report.Text());
}

TEST_F(ConfigurationCheckTest, OddEventEntries) {
    Number("Main", "Version", 1);
    Number("Schedule", "EventCount", 3);
    Text("Schedule", "Event0", "");
    Text("Schedule", "Event1", "Minus,-1,x,-2");
    Text("Schedule", "Event3", "beyond the count");
    Text("WorkGroups", "Work0_Name", "Zero");
    Text("WorkGroups", "Work4294967294_Name", "Minus two");
    Number("WorkGroups", "Work4294967294_Count", 1);
    Text("WorkGroups", "Work4294967294_0", "Item of minus two");
    Number("Alerts", "SchemeNamesCount", 1);
    EXPECT_EQ(0u, ConfigurationCheck(report));
    EXPECT_EQ("Config Version 1\r\n"
              "Events :\r\n"
              "Event 0  0 0\r\n"
              "Work Group Name 'Zero'\r\n"
              "Event 1 Minus 4294967295 0\r\n"
              "Work Group Name 'Minus two'\r\n"
              "Item 'Item of minus two'\r\n"
              "Event 2  0 0\r\n"
              "Work Group Name 'Zero'\r\n"
              "Alerts :\r\n"
              "Scheme ''\r\n"
              "No sites are configured\r\n",
              report.Text());
}

TEST_F(ConfigurationCheckTest, TraceModeAboveZeroSetsTheFlag) {
    struct Case {
        bool stored;
        DWORD mode;
        bool on;
    } const cases[] = {
        {true, 1, true},           {true, 3, true},   {true, 0, false},
        {true, 0xFFFFFFFF, false}, {false, 0, false},
    };
    for (const Case& c : cases) {
        if (c.stored) {
            Number("Main", "TraceMode", c.mode);
        } else {
            RegDeleteKeyValueA(HKEY_CURRENT_USER, (Base + "Main").c_str(), "TraceMode");
        }
        report.TraceModeOn = !c.on;
        report.appends.clear();
        ConfigurationCheck(report);
        EXPECT_EQ(c.on, report.TraceModeOn) << c.mode;
        EXPECT_EQ(std::string::npos, report.Text().find("race")) << c.mode;
    }
}

TEST_F(ConfigurationCheckTest, ListWorkGroupWithoutName) {
    Number("WorkGroups", "Work7_Count", 1);
    Text("WorkGroups", "Work7_0", "Only item");
    ListWorkGroup(report, 7);
    EXPECT_EQ("Work Group Name ''\r\nItem 'Only item'\r\n", report.Text());
}

TEST_F(ConfigurationCheckTest, ReadingCreatesNoSection) {
    Number("Main", "Version", 1);
    ConfigurationCheck(report);
    for (const char* section : {"Schedule", "Alerts", "Sites", "WorkGroups"}) {
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, (Base + section).c_str())) << section;
    }
}
