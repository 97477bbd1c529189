#include "JsonAgreement.h"

#include "DoctorOutcome.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace {

std::vector<std::string> Lines(const std::string& report) {
    std::vector<std::string> lines;
    std::istringstream stream(report);
    for (std::string line; std::getline(stream, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// The text between the first quote after the prefix and the quote before the given end.
std::string Quoted(const std::string& line, const std::string& prefix, const std::string& end) {
    size_t start = prefix.size();
    size_t stop = line.rfind(end);
    return stop == std::string::npos || stop < start ? "" : line.substr(start, stop - start);
}

std::string TrimmedLineEnd(std::string text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) {
        text.pop_back();
    }
    return text;
}

// "Event N name minutes minutes": the name is what is left between the number and the two
// numbers at the end.
std::string EventName(const std::string& line) {
    size_t start = line.find(' ', 6) + 1;
    size_t stop = line.rfind(' ', line.rfind(' ') - 1);
    return line.substr(start, stop - start);
}

struct ReportReading {
    std::string installLine, configFolder, configName;
    nlohmann::json configVersion;
    nlohmann::json libraries = nlohmann::json::array();
    nlohmann::json files = nlohmann::json::array();
    nlohmann::json events = nlohmann::json::array();
    nlohmann::json schemes = nlohmann::json::array();
    nlohmann::json sites = nlohmann::json::array();
};

void ReadFailedFile(ReportReading& reading, const std::string& line, const std::string& folder) {
    const std::string prefix = "Failed to open file '";
    size_t pathEnd = line.find("' : ");
    std::string path = line.substr(prefix.size(), pathEnd - prefix.size());
    std::string error = line.substr(pathEnd + 4);
    if (!folder.empty() && StartsWith(path, folder + "\\")) {
        reading.files.push_back({{"path", path}, {"error", error}});
    } else {
        std::string name = path.substr(path.rfind('\\') + 1);
        reading.libraries.push_back({{"name", name}, {"version", ""}, {"status", "missing"}});
    }
}

void ReadLibraryLine(ReportReading& reading, const std::string& line) {
    const std::string outOfDate = " Out of date need version ";
    std::string rest = line.substr(std::string("System Dll ").size());
    size_t split = rest.find(outOfDate);
    if (split != std::string::npos) {
        reading.libraries.back()["status"] = "out of date";
        reading.libraries.back()["minimum"] = rest.substr(split + outOfDate.size());
        return;
    }
    split = rest.find(" Version ");
    reading.libraries.push_back(
        {{"name", rest.substr(0, split)}, {"version", rest.substr(split + 9)}, {"status", "ok"}});
}

// Everything above the first copied trace log, line by line.
ReportReading ReadReport(const std::string& report, const std::string& installFolder) {
    ReportReading reading;
    for (const std::string& line : Lines(report)) {
        if (StartsWith(line, "File contents of '")) {
            break;
        } else if (StartsWith(line, "Installation folder '")) {
            reading.installLine = line;
        } else if (StartsWith(line, "Configuration folder '")) {
            reading.configFolder = Quoted(line, "Configuration folder '", "' ");
        } else if (StartsWith(line, "Configuration name '")) {
            reading.configName = Quoted(line, "Configuration name '", "' ");
        } else if (StartsWith(line, "Config Version ")) {
            reading.configVersion = std::stoi(line.substr(15));
        } else if (StartsWith(line, "System Dll ")) {
            ReadLibraryLine(reading, line);
        } else if (StartsWith(line, "Failed to open file '")) {
            ReadFailedFile(reading, line, installFolder);
        } else if (StartsWith(line, "File '")) {
            size_t split = line.find("' Version ");
            reading.files.push_back(
                {{"path", line.substr(6, split - 6)}, {"version", line.substr(split + 10)}});
        } else if (StartsWith(line, "Event ")) {
            reading.events.push_back(EventName(line));
        } else if (StartsWith(line, "Scheme '")) {
            reading.schemes.push_back(Quoted(line, "Scheme '", "'"));
        } else if (StartsWith(line, "Site '")) {
            reading.sites.push_back(Quoted(line, "Site '", "'"));
        }
    }
    return reading;
}

// The JSON's rows as the report shows them: a file without a version has no line, an error is
// shown without its line end, the minimum of a library only when it is out of date.
nlohmann::json ShownFiles(const nlohmann::json& files) {
    nlohmann::json shown = nlohmann::json::array();
    for (const nlohmann::json& file : files) {
        if (file.contains("error")) {
            std::string error = TrimmedLineEnd(file["error"].get<std::string>());
            shown.push_back({{"path", file["path"]}, {"error", error}});
        } else if (file["version"] != "Unknown") {
            shown.push_back({{"path", file["path"]}, {"version", file["version"]}});
        }
    }
    return shown;
}

nlohmann::json ShownLibraries(nlohmann::json libraries) {
    for (nlohmann::json& library : libraries) {
        if (library["status"] != "out of date") {
            library.erase("minimum");
        }
    }
    return libraries;
}

void ExpectProductAgrees(const std::string& report, const ReportReading& reading,
                         const nlohmann::json& json) {
    const nlohmann::json& product = json["product"];
    const nlohmann::json& codes = json["stageCodes"];
    std::string analysis = AnalysisLine(report);
    EXPECT_EQ(!analysis.empty(), product["installed"].get<bool>());
    if (!analysis.empty()) {
        EXPECT_EQ("Analysis result " + codes["installation"].dump() + ":" + codes["files"].dump() +
                      ":" + codes["configuration"].dump(),
                  analysis);
    }
    if (json["healthy"].get<bool>()) {
        EXPECT_EQ("Analysis result 0:0:0", analysis);
    }
    std::string expectedInstallLine;
    if (!reading.installLine.empty()) {
        expectedInstallLine = "Installation folder '" +
                              product["installFolder"].get<std::string>() + "' Build '" +
                              product["build"].dump() + "' Description '" +
                              product["description"].get<std::string>() + "' ";
    }
    EXPECT_EQ(reading.installLine, expectedInstallLine);
    if (!reading.configFolder.empty() || !reading.configName.empty()) {
        EXPECT_EQ(reading.configFolder, product["configFolder"]);
        EXPECT_EQ(reading.configName, product["configName"]);
    }
    EXPECT_EQ(reading.configVersion, product["configVersion"]);
}

void ExpectTraceLogsAgree(const std::string& report, const nlohmann::json& logs) {
    size_t sections = 0;
    for (size_t at = report.find("File contents of '"); at != std::string::npos;
         at = report.find("File contents of '", at + 1)) {
        ++sections;
    }
    EXPECT_EQ(sections, logs.size());
    for (const nlohmann::json& log : logs) {
        std::string path = log["path"].get<std::string>();
        ASSERT_TRUE(HasTraceLogSection(report, path)) << path;
        std::string section = TraceLogSection(report, path);
        std::string copied;
        for (const nlohmann::json& line : log["lines"]) {
            copied += line.get<std::string>() + "\r\n";
        }
        EXPECT_EQ(0u, section.find(copied)) << path;
    }
}

} // namespace

void ExpectJsonAgreesWithReport(const std::string& report, const nlohmann::json& json) {
    EXPECT_EQ(WithoutTimeLine(report), WithoutTimeLine(json["report"].get<std::string>()));
    std::string installFolder = json["product"]["installFolder"].get<std::string>();
    ReportReading reading = ReadReport(report, installFolder);
    ExpectProductAgrees(report, reading, json);
    EXPECT_EQ(reading.libraries, ShownLibraries(json["systemLibraries"]));
    EXPECT_EQ(reading.files, ShownFiles(json["productFiles"]));
    const nlohmann::json& lists = json["configuration"];
    EXPECT_EQ(reading.events, lists["events"]);
    EXPECT_EQ(reading.schemes, lists["alertSchemes"]);
    EXPECT_EQ(reading.sites, lists["sites"]);
    ExpectTraceLogsAgree(report, json["traceLogs"]);
}
