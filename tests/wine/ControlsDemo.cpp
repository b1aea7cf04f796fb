// One dialog-coloured window with the toolkit's controls in their states:
// normal, pressed, disabled and focused push buttons, themed and in the old
// style, check boxes and radio buttons on and off, an edit box, a scroll
// bar, a list box, a combo box and a trackbar. It ends when the window is
// closed.
#include "app/WorkerApp.h"

namespace {

// Returns the button to be given the focus once the window shows.
int MakeButtons(CCorvaneCore& core, int w) {
    CWindowOps& ops = core.Window;
    ops.SetFont(w, "Arial,13");
    ops.CreateButton(w, 20, 20, 100, 28, "Continue");
    const int pressed = ops.CreateButton(w, 140, 20, 100, 28, "Pressed");
    ops.CreateButton(w, 260, 20, 100, 28, "Disabled", "disabled");
    const int focused = ops.CreateButton(w, 380, 20, 100, 28, "Focused");
    ops.CreateButton(w, 20, 70, -20, 0, "Sized from its caption");
    SendMessageA(core.FindItem(pressed)->window, BM_SETSTATE, TRUE, 0);

    const int on = ops.CreateButton(w, 20, 120, 0, 0, "Desktop shortcut", "checkbox");
    ops.CreateButton(w, 20, 145, 0, 0, "Start menu shortcut", "checkbox");
    const int radio = ops.CreateButton(w, 260, 120, 0, 0, "Typical", "radiobutton");
    ops.CreateButton(w, 260, 145, 0, 0, "Custom", "radiobutton");
    const int edit = ops.CreateEditBox(w, 260, 70, 230, 24);
    ops.SetEditText(edit, "C:\\Program Files\\Orvalis");
    ops.CreateScrollBar(w, 20, 175, 470, 0, "horizontal");
    core.Button.SetCheck(on, true);
    core.Button.SetCheck(radio, true);
    return focused;
}

// The drawing the toolkit falls back to where no theme opens.
void MakeOldStyleButtons(CCorvaneCore& core, int w) {
    CWindowOps& ops = core.Window;
    ops.CreateButton(w, 20, 305, 100, 28, "Old style", "oldstyle");
    const int pressed = ops.CreateButton(w, 140, 305, 100, 28, "Pressed", "oldstyle");
    ops.CreateButton(w, 260, 305, 100, 28, "Disabled", "oldstyle disabled");
    SendMessageA(core.FindItem(pressed)->window, BM_SETSTATE, TRUE, 0);
}

void MakeLists(CCorvaneCore& core, int w) {
    CWindowOps& ops = core.Window;
    const int list = ops.CreateListBox(w, 20, 205, 150, 80, "sunken");
    for (const char* text : {"Typical", "Compact", "Custom", "Everything"})
        core.ListBox.AddString(list, text);
    SendMessageA(core.FindItem(list)->window, LB_SETCURSEL, 1, 0);
    const int combo = ops.CreateComboBox(w, 190, 205, 150, 120, "");
    for (const char* text : {"English", "Deutsch", "Francais"})
        core.ListBox.AddString(combo, text);
    SendMessageA(core.FindItem(combo)->window, CB_SETCURSEL, 0, 0);
    const int bar = ops.CreateTrackbar(w, 190, 245, 300, 40, "horizontal bottom");
    core.TrackBar.SetSelection(bar, 20, 70);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    CWorkerApp app("Controls demo", 200, 100, 520, 240, [](CCorvane& toolkit) {
        CCorvaneCore& core = toolkit.Core();
        // Shown once every control is in its state, so that whoever waits
        // for the window (a test, the driver) never meets it half-built.
        const int w = core.Window.CreateWindow(0, 200, 100, 510, 370, "Controls demo", "asdialog hidden");
        const int focused = MakeButtons(core, w);
        MakeOldStyleButtons(core, w);
        MakeLists(core, w);
        core.Window.Show(w, SW_SHOW);
        // Only the window's own thread can give it the focus, and showing
        // the window gives it to the window itself.
        core.RunOnMainThread([](void* button, void*) { SetFocus(static_cast<HWND>(button)); },
                             core.FindItem(focused)->window, nullptr);
        WaitUntilClosed(core, w);
        return 0;
    });
    return app.RunWorker(instance);
}
