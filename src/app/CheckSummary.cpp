#include "app/CheckSummary.h"

#include "diagnosis/StageState.h"
#include "framework/DeviceContext.h"
#include "resources/Version.h"

#include <initializer_list>

namespace {

enum class Mark { Ok, Error, Warning, Info, NotChecked };

// UTF-8 of U+2713, U+2717 and U+2013 beside their ASCII stand-ins, padded to one width.
const char* MarkText(Mark mark, bool unicode) {
    switch (mark) {
    case Mark::Ok:
        return unicode ? "\xE2\x9C\x93" : "[ok]";
    case Mark::Error:
        return unicode ? "\xE2\x9C\x97" : "[x] ";
    case Mark::Warning:
        return unicode ? "!" : "[!] ";
    case Mark::Info:
        return unicode ? "i" : "[i] ";
    default:
        return unicode ? "\xE2\x80\x93" : "[-] ";
    }
}

Mark SeverityMark(Severity severity) {
    return severity == Severity::Error     ? Mark::Error
           : severity == Severity::Warning ? Mark::Warning
                                           : Mark::Info;
}

Mark StageMark(const RunContext& run, FindingStage stage) {
    switch (StateOf(run, stage)) {
    case StageState::Ok:
        return Mark::Ok;
    case StageState::Problem: {
        Severity worst = Severity::Info;
        bool found = run.Findings.WorstIn(stage, worst);
        return found && worst == Severity::Warning ? Mark::Warning : Mark::Error;
    }
    default:
        return Mark::NotChecked;
    }
}

const char* StageNote(StageState state) {
    switch (state) {
    case StageState::NotChecked:
        return " (not checked)";
    case StageState::PartlyChecked:
        return " (product files not checked)";
    default:
        return "";
    }
}

Str StageLine(const RunContext& run, FindingStage stage, bool unicode) {
    Str what;
    switch (stage) {
    case FindingStage::Installation:
        what.Assign("Installation   settings, uninstall entry, configuration folder, report log");
        break;
    case FindingStage::Files:
        what.Assign("Files          system libraries, product files");
        break;
    default:
        what.Assign("Configuration  version, events, alerts, sites");
        break;
    }
    Str line;
    line.Format("%s %s%s\r\n", MarkText(StageMark(run, stage), unicode), what.Text(),
                StageNote(StateOf(run, stage)));
    return line;
}

Str HeadLine(const RunContext& run) {
    Str line;
    if (run.Analysis.InstallResult == InstallCode::NotInstalled) {
        line.Format("Velmont Doctor %s - Velmont is not installed for the user '%s'\r\n",
                    VLD_VERSION_TEXT, run.Facts.User.Text());
    } else {
        const Str& description = run.Facts.Description;
        line.Format("Velmont Doctor %s - %s, build %u, in '%s'\r\n", VLD_VERSION_TEXT,
                    description.IsEmpty() ? "Velmont" : description.Text(),
                    static_cast<unsigned>(run.Facts.Build), run.InstallFolder.Text());
    }
    return line;
}

// One sentence per exit code: a run that did not diagnose a user's Velmont counts no problems.
Str ClosingLine(const RunContext& run) {
    int32_t problems =
        run.Findings.CountOf(Severity::Error) + run.Findings.CountOf(Severity::Warning);
    Str line;
    if (StateOfRun(run) == RunState::NotDiagnosed) {
        line.Assign("Velmont was not diagnosed for this account.");
    } else if (problems == 0) {
        line.Assign("No problems found.");
    } else {
        line.Format("%d problem%s found.", static_cast<int>(problems), problems == 1 ? "" : "s");
    }
    line.Append(" The full report: VLDoctor.com /report (or /json for programs).\r\n");
    return line;
}

} // namespace

Str BuildCheckSummary(const RunContext& run, bool unicodeMarks) {
    Str summary = BuildCheckBlock(run, unicodeMarks);
    summary.Append(ClosingLine(run));
    return summary;
}

Str BuildCheckBlock(const RunContext& run, bool unicodeMarks) {
    Str summary = HeadLine(run);
    for (FindingStage stage :
         {FindingStage::Installation, FindingStage::Files, FindingStage::Configuration}) {
        summary.Append(StageLine(run, stage, unicodeMarks));
    }
    summary.Append("\r\n");
    // Errors first, then warnings, then what is only worth knowing.
    Str entry;
    for (Severity severity : {Severity::Error, Severity::Warning, Severity::Info}) {
        for (int32_t i = 0; i < run.Findings.Count(); ++i) {
            const Finding& finding = run.Findings.At(i);
            if (SeverityOf(finding.Id) != severity) {
                continue;
            }
            entry.Format("%s %s\r\n     %s\r\n", MarkText(SeverityMark(severity), unicodeMarks),
                         finding.Title.Text(), finding.Fix.Text());
            summary.Append(entry);
        }
    }
    if (run.Findings.Count() > 0) {
        summary.Append("\r\n");
    }
    return summary;
}

namespace {

// A console draws each character from its one font, with no fall-back: the marks show only when
// that font has them. Windows Terminal falls back to other fonts, so it shows them always.
bool FontHasMarks(const wchar_t* faceName) {
    const wchar_t marks[] = L"\x2713\x2717\x2013";
    FontObject font;
    font.Reset(CreateFontW(16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH,
                           faceName));
    DeviceContext dc;
    if (!font.Handle() || !dc.Attach(CreateCompatibleDC(nullptr))) {
        return false;
    }
    dc.SelectFont(font);
    WORD glyphs[3] = {};
    if (GetGlyphIndicesW(dc.Handle(), marks, 3, glyphs, GGI_MARK_NONEXISTING_GLYPHS) != 3) {
        return false;
    }
    for (WORD glyph : glyphs) {
        if (glyph == 0xFFFF) {
            return false;
        }
    }
    return true;
}

} // namespace

bool ConsoleShowsMarks() {
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (!output || output == INVALID_HANDLE_VALUE || !GetConsoleMode(output, &mode)) {
        return false;
    }
    if (GetEnvironmentVariableA("WT_SESSION", nullptr, 0) > 0) {
        return true;
    }
    CONSOLE_FONT_INFOEX font = {};
    font.cbSize = sizeof font;
    return GetCurrentConsoleFontEx(output, FALSE, &font) && FontHasMarks(font.FaceName);
}
