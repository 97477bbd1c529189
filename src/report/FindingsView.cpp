#include "report/FindingsView.h"

#include "resources/ResourceIds.h"

#include <algorithm>

namespace {

// Kept as each line's item data; a line without severity (the one saying there is none) is 0.
const LPARAM NoSeverity = 0;

LPARAM SeverityData(Severity severity) {
    return static_cast<LPARAM>(severity) + 1;
}

const char* SeverityWord(Severity severity) {
    return severity == Severity::Error     ? "Error"
           : severity == Severity::Warning ? "Warning"
                                           : "Information";
}

// The system's own small icons, shared: never destroyed.
HICON SeverityIcon(ULONG_PTR data) {
    static const LPCSTR names[] = {IDI_ERROR, IDI_WARNING, IDI_INFORMATION};
    if (data == NoSeverity || data > 3) {
        return nullptr;
    }
    return static_cast<HICON>(LoadImageA(nullptr, names[data - 1], IMAGE_ICON,
                                         GetSystemMetrics(SM_CXSMICON),
                                         GetSystemMetrics(SM_CYSMICON), LR_SHARED));
}

} // namespace

// The list box is unsorted: its lines stay in the order they were added, as the texts here.
void FindingsView::AddLine(const Str& text, const Str& fix, LPARAM severityData) {
    HWND list = GetDlgItem(dialog, IDC_FINDINGS_LIST);
    LRESULT index = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.Text()));
    if (index < 0) {
        return;
    }
    SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(index), severityData);
    lines.push_back(Line{text, fix});
}

void FindingsView::Fill(HWND dialogWindow, const FindingList& findings) {
    dialog = dialogWindow;
    HWND list = GetDlgItem(dialog, IDC_FINDINGS_LIST);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    LRESULT height = SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
    LRESULT iconHeight = GetSystemMetrics(SM_CYSMICON) + 4;
    SendMessageA(list, LB_SETITEMHEIGHT, 0, std::max(height, iconHeight));
    lines.clear();
    Str line;
    for (int32_t i = 0; i < findings.Count(); ++i) {
        const Finding& finding = findings.At(i);
        Severity severity = SeverityOf(finding.Id);
        line.Format("%s: %s", SeverityWord(severity), finding.Title.Text());
        AddLine(line, finding.Fix, SeverityData(severity));
    }
    if (findings.Count() == 0) {
        AddLine(Str("No findings: the checks found nothing to mend."), Str(), NoSeverity);
    }
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    ShowSelectedFix();
}

void FindingsView::ShowSelectedFix() const {
    LRESULT selected = SendDlgItemMessageA(dialog, IDC_FINDINGS_LIST, LB_GETCURSEL, 0, 0);
    bool valid = selected >= 0 && static_cast<size_t>(selected) < lines.size();
    SetDlgItemTextA(dialog, IDC_FINDING_FIX,
                    valid ? lines[static_cast<size_t>(selected)].fix.Text() : "");
}

void FindingsView::Draw(const DRAWITEMSTRUCT& item) const {
    if (item.itemID >= lines.size()) {
        return;
    }
    bool selected = (item.itemState & ODS_SELECTED) != 0;
    RECT area = item.rcItem;
    FillRect(item.hDC, &area, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    int size = GetSystemMetrics(SM_CXSMICON);
    if (HICON icon = SeverityIcon(item.itemData)) {
        int top = area.top + (area.bottom - area.top - size) / 2;
        DrawIconEx(item.hDC, area.left + 2, top, icon, size, size, 0, nullptr, DI_NORMAL);
    }
    area.left += size + 6;
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextA(item.hDC, lines[item.itemID].text.Text(), -1, &area,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (item.itemState & ODS_FOCUS) {
        DrawFocusRect(item.hDC, &item.rcItem);
    }
}
