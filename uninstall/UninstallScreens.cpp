#include "uninstall/UninstallScreens.h"

#include "app/ScreenLook.h"
#include "app/ScreenMetrics.h"
#include "install/portable/CopyRules.h"
#include "uninstall/Removal.h"

namespace {

constexpr const char* kHeadingFont = "Arial,17,bold";
constexpr const char* kWindowOptions = "nosizing nosysmenu noclose";
constexpr int kMargin = 20;
constexpr int kHeadingY = 16;
constexpr int kTextY = 56;
constexpr int kLineHeight = 20;
constexpr int kButtonWidth = 90;
constexpr int kButtonHeight = 28;
constexpr int kButtonGap = 12;
constexpr int kBarHeight = 20;
constexpr COLORREF kBarColour = RGB(128, 128, 255);
constexpr COLORREF kBarTrough = RGB(255, 255, 255);

void PaintHeading(CCorvaneCore& core, int window, const std::string& heading) {
    PaintDialogFace(core, window);
    core.Window.SetFont(window, kHeadingFont);
    WriteAt(core, window, kMargin, kHeadingY, heading.c_str());
    core.Window.SetFont(window, kMainFont);
}

// A close box answers No.
bool AskToRemove(CCorvaneCore& core, const std::string& product) {
    const int window = kUninstallWindow;
    PaintHeading(core, window, "Remove " + product);
    const std::string lines[] = {
        product + " will be removed from this computer: its files, shortcuts",
        "and settings. Files you added to its folders stay where they are.",
        "Do you want to remove it now?",
    };
    for (int i = 0; i < 3; ++i)
        WriteAt(core, window, kMargin, kTextY + i * kLineHeight + (i == 2 ? kLineHeight / 2 : 0), lines[i].c_str());
    const SIZE client = ClientSize(core, window);
    const int y = client.cy - kMargin - kButtonHeight;
    // Yes first: Tab walks the buttons in the order they were made, left to right.
    const int yes = core.Window.CreateButton(window, client.cx - kMargin - 2 * kButtonWidth - kButtonGap, y,
                                             kButtonWidth, kButtonHeight, "Yes");
    const int no = core.Window.CreateButton(window, client.cx - kMargin - kButtonWidth, y, kButtonWidth,
                                            kButtonHeight, "No");
    core.Window.SetCancelButton(window, no);
    core.Window.SetKeepOpen(window, true);
    core.Window.Update(window);
    core.Window.SetFocus(yes);
    core.Window.Show(window, SW_SHOW);
    // Latches first, then the wait: a click while this thread was busy
    // raised its event to nobody.
    for (;;) {
        if (core.Button.Clicked(yes))
            return true;
        if (core.Button.Clicked(no) || core.Window.CloseRequested(window))
            return false;
        core.WaitEvents(window, "AnyButton,CloseWindow", 0);
    }
}

// Nothing stops the removal halfway, so the window offers no way to close.
void IgnoreClose(void*, int) {}

class CRemovalScreen {
  public:
    CRemovalScreen(CCorvane& toolkit, const UninstallJob& job) : m_stCore(toolkit.Core()) {
        const int x = m_stCore.Window.GetPosX(kUninstallWindow), y = m_stCore.Window.GetPosY(kUninstallWindow);
        m_nWindow = m_stCore.Window.CreateWindow(0, x, y, kUninstallWidth, kUninstallHeight, job.title.c_str(),
                                                 kWindowOptions);
        m_stCore.Window.SetCloseCallback(m_nWindow, IgnoreClose, nullptr);
        PaintHeading(m_stCore, m_nWindow, "Removing " + job.reading.record.product + "...");
        WriteAt(m_stCore, m_nWindow, kMargin, kTextY, "Please wait while its files and settings are removed.");
        m_stClient = ClientSize(m_stCore, m_nWindow);
        m_stCore.Window.Rectangle(m_nWindow, kMargin, BarY(), BarWidth(), kBarHeight, kBarTrough, 0);
        m_stCore.Window.Update(m_nWindow);
        m_stCore.Window.Hide(kUninstallWindow);
        m_stCore.Window.Show(m_nWindow, SW_SHOW);
    }

    void Progress(size_t done, size_t total) {
        const int width = ProgressBarWidth(static_cast<int64_t>(done), static_cast<int64_t>(total), BarWidth() + 8) - 4;
        if (width <= m_nDrawn)
            return;
        m_stCore.Window.Rectangle(m_nWindow, kMargin + 1, BarY() + 1, width, kBarHeight - 2, kBarColour);
        m_stCore.Window.Update(m_nWindow);
        m_nDrawn = width;
    }

    int MessageBox(const std::string& text, const std::string& title, UINT type) const {
        return CCorWindow(m_nWindow).MessageBox(text.c_str(), title.c_str(), type);
    }

  private:
    int BarY() const { return m_stClient.cy - kMargin - kBarHeight; }
    int BarWidth() const { return m_stClient.cx - 2 * kMargin; }

    CCorvaneCore& m_stCore;
    int m_nWindow = 0;
    SIZE m_stClient = {};
    int m_nDrawn = 0;
};

// The record itself goes with the files, before the directory holding it.
InstallRecord WithRecordFile(const UninstallJob& job) {
    InstallRecord record = job.reading.record;
    record.Add(RecordKind::File, job.recordPath);
    return record;
}

std::vector<Leftover> RemoveAll(const InstallRecord& record, CRemovalScreen& screen) {
    const std::vector<RecordItem> order = RemovalOrder(record);
    std::vector<Leftover> leftovers;
    for (size_t i = 0; i < order.size(); ++i) {
        const RemovalOutcome outcome = RemoveItem(order[i]);
        if (IsLeftOver(outcome)) {
            Leftover leftover{order[i], outcome, {}};
            if (order[i].kind == RecordKind::Directory && outcome == RemovalOutcome::NotEmpty)
                leftover.strangers = Strangers(order[i].path, record);
            leftovers.push_back(std::move(leftover));
        }
        screen.Progress(i + 1, order.size());
    }
    return leftovers;
}

std::string RefusedRecordText(const UninstallJob& job) {
    const std::string reason =
        job.recordFound ? RecordProblemText(job.reading.problem) : std::string("it could not be found");
    return "Nothing was removed. The uninstall record " + job.recordPath + " tells what to remove, and " + reason +
           ".";
}

}  // namespace

int RunUninstallScreens(CCorvane& toolkit, const UninstallJob& job) {
    CCorvaneCore& core = toolkit.Core();
    DefineMainFont(core);
    if (!job.recordFound || job.reading.problem != RecordProblem::None) {
        CCorWindow(kUninstallWindow).MessageBox(RefusedRecordText(job).c_str(), job.title.c_str(), MB_OK | MB_ICONERROR);
        return 1;
    }
    const std::string& product = job.reading.record.product;
    if (!AskToRemove(core, product))
        return 0;
    CRemovalScreen screen(toolkit, job);
    const std::vector<Leftover> leftovers = RemoveAll(WithRecordFile(job), screen);
    const bool clean = FinalReport(product, leftovers) == FinalReport(product, {});
    screen.MessageBox(FinalReport(product, leftovers), job.title, MB_OK | (clean ? MB_ICONINFORMATION : MB_ICONWARNING));
    return 0;
}
