// A form's menu for the menu-bar tests, and a record of every item's
// definition to check that nothing of it changes.
#pragma once
#include "base/Handle.h"

#include <string>
#include <vector>

namespace qel::test {

// Command identifiers of the sample menu.
enum FormCommand : UINT {
    kNew = 101,
    kOpen = 102,
    kSave = 103,
    kExit = 104,
    kRecentOne = 111,
    kRecentTwo = 112,
    kUndo = 201,
    kCut = 202,
    kCopy = 203,
    kPaste = 204,
    kWordWrap = 205,
    kLarge = 301,
    kSmall = 302,
    kDetails = 303,
    kAbout = 401,
    kRun = 500,
};

// The bar: "&File", "&Edit", "Run!" (a command of its own, not shown on the
// bar), "&View", "&Help". File holds "&New\tCtrl+N" (item data 0x1234),
// "&Open...\tCtrl+O", a separator, "&Save" (grayed), a separator, "&Recent" with
// a submenu ("One", "Two") and "E&xit\tAlt+F4"; Edit holds "&Undo\tCtrl+Z", a
// separator, "Cu&t\tCtrl+X", "&Copy\tCtrl+C", "&Paste\tCtrl+V" (grayed), a
// separator and "&Word wrap" (checked); View holds the radio items "&Large"
// (checked), "&Small" and "&Details"; Help holds "&About".
UniqueMenu MakeFormMenu();
// The bar's popups in bar order (File, Edit, View, Help).
std::vector<HMENU> BarPopups(HMENU bar);

// Everything an item is, as read through the platform (its highlight aside).
struct ItemRecord {
    HMENU menu;
    UINT position;
    UINT type, state, id;
    ULONG_PTR data;
    HMENU submenu;
    std::string text;
    bool operator==(const ItemRecord&) const = default;
};
// Every item of a menu and its submenus.
std::vector<ItemRecord> Snapshot(HMENU menu);
std::string ReadItemText(HMENU menu, UINT position);

} // namespace qel::test
