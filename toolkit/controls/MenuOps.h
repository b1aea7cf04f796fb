// Menus: made empty, filled item by item, attached to their window. A menu
// is an item of its own (never found by window handle); the Menu.
// operations return 0, doing nothing, unless the handle names a live menu.
#pragma once

class CCorvaneCore;
struct CorItem;

class CMenuOps {
  public:
    explicit CMenuOps(CCorvaneCore& core) : m_stCore(core) {}

    // An empty menu for a window; its handle or 0.
    int Create(int window);
    // Attaches the menu to its window's menu bar.
    int Activate(int menu);
    // Inserts an item at "Position=N" (0 when absent); choosing it raises
    // event 10 on the window with identifier. With "popup" the entry opens
    // the menu whose handle identifier is.
    int AddItem(int menu, const char* text, int identifier, const char* options = "");
    int AddSeparator(int menu);

  private:
    CorItem* Find(int menu) const;
    void Redraw(const CorItem& menu);

    CCorvaneCore& m_stCore;
};
