#include "app/DoctorApp.h"

#include "config/ConfigStore.h"
#include "trace/TraceLog.h"

#include "Registry.h"
#include "Scratch.h"

#include <gtest/gtest.h>

#include <string>

using namespace TestRegistry;

// The Doctor's own trace settings first, then the product's current configuration.
TEST(StartUp, ReadsTheTraceSettingsThenLoadsTheConfiguration) {
    ProductRegistryScope scope;
    ScratchFolder scratch;
    ASSERT_TRUE(WriteBytes(scratch.File("VLDoctor.ini"),
                           "[Settings]\r\nTraceMode=flushed\r\nTraceFilter=2\r\n"));
    SetString(HKEY_CURRENT_USER, SettingsPath, "Config", "Started");
    SetString(HKEY_CURRENT_USER, SettingsPath, "Folder", "C:\\Started");
    DoctorApp app;
    app.InitPathsFrom(scratch.File("VLDoctor.exe").c_str());
    app.StartUp();
    EXPECT_EQ(TraceFlushed, TheTraceLog.Mode());
    EXPECT_EQ(2, TheTraceLog.Filter());
    ConfigureTrace("none", 0, "");
    EXPECT_STREQ("Started", app.Configuration.configurationName.Text());
    EXPECT_STREQ("C:\\Started", app.Configuration.configurationFolder.Text());
    EXPECT_EQ(std::string(ProductConfigurationsKey) + "\\Started", CurrentConfigKey().Text());
}
