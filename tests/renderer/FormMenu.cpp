#include "tests/renderer/FormMenu.h"

namespace qel::test {

UniqueMenu MakeFormMenu() {
    HMENU recent = CreatePopupMenu();
    AppendMenuA(recent, MF_STRING, kRecentOne, "One");
    AppendMenuA(recent, MF_STRING, kRecentTwo, "Two");

    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, kNew, "&New\tCtrl+N");
    AppendMenuA(file, MF_STRING, kOpen, "&Open...\tCtrl+O");
    AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(file, MF_STRING | MF_GRAYED, kSave, "&Save");
    AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(file, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), "&Recent");
    AppendMenuA(file, MF_STRING, kExit, "E&xit\tAlt+F4");
    MENUITEMINFOA data{};
    data.cbSize = sizeof data;
    data.fMask = MIIM_DATA;
    data.dwItemData = 0x1234;
    SetMenuItemInfoA(file, kNew, FALSE, &data);

    HMENU edit = CreatePopupMenu();
    AppendMenuA(edit, MF_STRING, kUndo, "&Undo\tCtrl+Z");
    AppendMenuA(edit, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(edit, MF_STRING, kCut, "Cu&t\tCtrl+X");
    AppendMenuA(edit, MF_STRING, kCopy, "&Copy\tCtrl+C");
    AppendMenuA(edit, MF_STRING | MF_GRAYED, kPaste, "&Paste\tCtrl+V");
    AppendMenuA(edit, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(edit, MF_STRING | MF_CHECKED, kWordWrap, "&Word wrap");

    HMENU view = CreatePopupMenu();
    AppendMenuA(view, MF_STRING, kLarge, "&Large");
    AppendMenuA(view, MF_STRING, kSmall, "&Small");
    AppendMenuA(view, MF_STRING, kDetails, "&Details");
    CheckMenuRadioItem(view, kLarge, kDetails, kLarge, MF_BYCOMMAND);

    HMENU help = CreatePopupMenu();
    AppendMenuA(help, MF_STRING, kAbout, "&About");

    UniqueMenu bar(CreateMenu());
    AppendMenuA(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    AppendMenuA(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(edit), "&Edit");
    AppendMenuA(bar.get(), MF_STRING, kRun, "Run!");
    AppendMenuA(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(view), "&View");
    AppendMenuA(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(help), "&Help");
    return bar;
}

std::vector<HMENU> BarPopups(HMENU bar) {
    std::vector<HMENU> popups;
    for (int i = 0; i < GetMenuItemCount(bar); ++i)
        if (HMENU sub = GetSubMenu(bar, i)) popups.push_back(sub);
    return popups;
}

std::string ReadItemText(HMENU menu, UINT position) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    if (!GetMenuItemInfoA(menu, position, TRUE, &info) || info.cch == 0) return {};
    std::string text(info.cch, '\0');
    info.dwTypeData = text.data();
    info.cch += 1;
    GetMenuItemInfoA(menu, position, TRUE, &info);
    text.resize(info.cch);
    return text;
}

std::vector<ItemRecord> Snapshot(HMENU menu) {
    std::vector<ItemRecord> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        const auto position = static_cast<UINT>(i);
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
        GetMenuItemInfoA(menu, position, TRUE, &info);
        // The platform's menu loop leaves the last chosen item highlighted.
        const UINT state = info.fState & ~static_cast<UINT>(MFS_HILITE);
        items.push_back({menu, position, info.fType, state, info.wID, info.dwItemData,
                         info.hSubMenu, ReadItemText(menu, position)});
        if (info.hSubMenu) {
            std::vector<ItemRecord> sub = Snapshot(info.hSubMenu);
            items.insert(items.end(), sub.begin(), sub.end());
        }
    }
    return items;
}

} // namespace qel::test
