// Message maps: a table per dialog class from a window message, or from one
// command id, to the handler member that takes it. The dialog procedure walks
// the class's table, then its base classes' tables.
#pragma once

#include <windows.h>

class CDialog;

struct MessageMapEntry {
  UINT firstMessage;  // a range, for the WM_CTLCOLOR* family
  UINT lastMessage;
  UINT commandId;  // WM_COMMAND entries only
  // Unpacks the message for the typed member and packs its result.
  LRESULT (*handler)(CDialog& dialog, UINT message, WPARAM wParam, LPARAM lParam);
};

struct MessageMap {
  const MessageMap* base;
  const MessageMapEntry* entries;  // ends with an entry whose handler is null
};

#define DECLARE_MESSAGE_MAP()                   \
 protected:                                     \
  static const MessageMap* GetThisMessageMap(); \
  const MessageMap* GetMessageMap() const override;

// BEGIN_MESSAGE_MAP opens a function and an array that END_MESSAGE_MAP
// closes, which clang-format cannot follow across two macros; their layout
// is kept as written.
// clang-format off
#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                \
  const MessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const MessageMap* theClass::GetThisMessageMap() {                          \
    using ThisClass = theClass;                                              \
    using TheBaseClass = baseClass;                                          \
    static const MessageMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                   \
      {0, 0, 0, nullptr}};                                                  \
    static const MessageMap map = {TheBaseClass::GetThisMessageMap(), entries}; \
    return &map;                                                            \
  }
// clang-format on

#define MESSAGE_MAP_THIS(dialog) static_cast<ThisClass&>(dialog)

// void OnSysCommand(UINT id, LPARAM param)
#define ON_WM_SYSCOMMAND()                                                                \
  {WM_SYSCOMMAND, WM_SYSCOMMAND, 0, [](CDialog& d, UINT, WPARAM w, LPARAM l) -> LRESULT { \
     MESSAGE_MAP_THIS(d).OnSysCommand(static_cast<UINT>(w), l);                           \
     return 0;                                                                            \
   }},

// void OnPaint()
#define ON_WM_PAINT()                                                       \
  {WM_PAINT, WM_PAINT, 0, [](CDialog& d, UINT, WPARAM, LPARAM) -> LRESULT { \
     MESSAGE_MAP_THIS(d).OnPaint();                                         \
     return 0;                                                              \
   }},

// HCURSOR OnQueryDragIcon()
#define ON_WM_QUERYDRAGICON()                                                               \
  {WM_QUERYDRAGICON, WM_QUERYDRAGICON, 0, [](CDialog& d, UINT, WPARAM, LPARAM) -> LRESULT { \
     return reinterpret_cast<LRESULT>(MESSAGE_MAP_THIS(d).OnQueryDragIcon());               \
   }},

// HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind), kind CTLCOLOR_*
#define ON_WM_CTLCOLOR()                                                        \
  {WM_CTLCOLORMSGBOX, WM_CTLCOLORSTATIC, 0,                                     \
   [](CDialog& d, UINT m, WPARAM w, LPARAM l) -> LRESULT {                      \
     CDC dc(reinterpret_cast<HDC>(w));                                          \
     CWnd control(reinterpret_cast<HWND>(l));                                   \
     return reinterpret_cast<LRESULT>(                                          \
         MESSAGE_MAP_THIS(d).OnCtlColor(&dc, &control, m - WM_CTLCOLORMSGBOX)); \
   }},

// void member()
#define ON_COMMAND(id, member)                                                   \
  {WM_COMMAND, WM_COMMAND, id, [](CDialog& d, UINT, WPARAM, LPARAM) -> LRESULT { \
     MESSAGE_MAP_THIS(d).member();                                               \
     return 0;                                                                   \
   }},
