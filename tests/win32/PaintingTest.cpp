// The main dialog's painting: the background picture, the light-blue fields,
// the window's icons and the minimised paint, and the release of every GDI
// object a paint makes. The pixels are read back
// from the screen, as a screenshot of the running dialog would show them.
#include <gtest/gtest.h>

#include <vector>

#include "GdiCounter.h"
#include "ModalRun.h"
#include "ScreenPixels.h"
#include "TestApp.h"
#include "res/resource.h"
#include "tests/common/CaseNames.h"
#include "ui/UpgradeDlg.h"
#include "wine/Machine.h"

namespace {

constexpr COLORREF kFieldColor = RGB(100, 190, 250);
const int kFields[] = {IDC_OS_NAME, IDC_ATA_MODE, IDC_UPGRADE_STATUS};

// A dialog whose colours are all the framework's defaults.
class PlainDlg : public CDialog {
 public:
  PlainDlg() : CDialog(IDD_UPGRADE_DIALOG, nullptr) {}
  HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind) {
    return CDialog::OnCtlColor(dc, control, kind);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PlainDlg, CDialog)
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

// The dialog's client area as the screen shows it.
Pixels Screenshot(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return ReadScreen(client);
}

Pixels BackgroundPicture() {
  HBITMAP picture = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_BACKGROUND));
  BITMAP info{};
  GetObjectA(picture, sizeof info, &info);
  HDC screen = GetDC(nullptr);
  Pixels pixels = ReadBitmap(screen, picture, info.bmWidth, info.bmHeight);
  ReleaseDC(nullptr, screen);
  DeleteObject(picture);
  return pixels;
}

// The rectangles of the window's controls, in its client coordinates, each
// with a pixel more at its top and left.
std::vector<RECT> ControlRects(HWND window) {
  std::vector<RECT> rects;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    rects.push_back({rect.left - 1, rect.top - 1, rect.right, rect.bottom});
  }
  return rects;
}

// Asked once a pixel: the rectangles are read before, not once per pixel.
bool UnderAControl(const std::vector<RECT>& controls, int x, int y) {
  for (const RECT& rect : controls) {
    if (x >= rect.left && x <= rect.right && y >= rect.top && y <= rect.bottom) return true;
  }
  return false;
}

// Wine hands a window's drawing to the X server when its thread waits for
// messages, not while it sleeps: waiting here, inside the dialog's modal
// loop, lets the resized dialog reach the screen.
void WaitForMessages(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (DWORD waited = 0; waited < milliseconds; waited = GetTickCount() - start) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - waited, QS_ALLINPUT);
  }
}

// Shows the dialog, lets it paint, then runs check on the window.
template <class Dialog>
void WithPaintedDialog(Dialog& dialog, const std::function<void(HWND)>& check) {
  RunModal(dialog, [&](HWND window) {
    // Larger than the picture whatever the fonts make of the template (with
    // Windows 2000's metrics the client area is 449 x 209 pixels, a pixel
    // short of it each way), so that the part the picture leaves to the
    // dialog's colour is on screen too.
    RECT frame;
    GetWindowRect(window, &frame);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, frame.right - frame.left + 40,
                 frame.bottom - frame.top + 40, SWP_NOMOVE);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    GdiFlush();
    WaitForMessages(200);  // let the X server finish drawing before the pixels are read
    check(window);
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  });
}

class PaintingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gdi_counter::Install());
    ASSERT_TRUE(machine::Enter(table::WithParameter(table::Dword(0)), "ui_tests.exe"));
  }
  void TearDown() override {
    gdi_counter::failLoadBitmap = false;
    machine::RemoveDriverKeys();
  }
};

TEST_F(PaintingTest, FieldsShareOneLightBlueBrushOthersKeepTheDefault) {
  HBRUSH defaultStatic = nullptr;
  HBRUSH defaultButton = nullptr;
  PlainDlg plain;
  RunModal(plain, [&](HWND window) {
    HDC dc = GetDC(window);
    defaultStatic = reinterpret_cast<HBRUSH>(
        SendMessageW(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_OS_NAME))));
    defaultButton = reinterpret_cast<HBRUSH>(
        SendMessageW(window, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_OS_NAME))));
    ReleaseDC(window, dc);
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  });
  ASSERT_NE(defaultStatic, nullptr);

  CUpgradeDlg dialog;
  RunModal(dialog, [&](HWND window) {
    HDC dc = GetDC(window);
    const int brushesBefore = gdi_counter::Counts().brushesMade;
    HBRUSH fieldBrush = nullptr;
    for (int round = 0; round < 3; ++round) {
      for (int id : kFields) {
        SetBkColor(dc, RGB(1, 2, 3));
        const auto brush = reinterpret_cast<HBRUSH>(
            SendMessageW(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(GetDlgItem(window, id))));
        if (fieldBrush == nullptr) fieldBrush = brush;
        EXPECT_EQ(brush, fieldBrush) << id;
        EXPECT_EQ(GetBkColor(dc), kFieldColor) << id;
      }
    }
    EXPECT_NE(fieldBrush, defaultStatic);
    LOGBRUSH logBrush{};
    GetObjectA(fieldBrush, sizeof logBrush, &logBrush);
    EXPECT_EQ(logBrush.lbColor, kFieldColor);
    // The brush already existed: the dialog painted its fields when it opened.
    EXPECT_EQ(gdi_counter::Counts().brushesMade, brushesBefore);

    struct Other {
      UINT message;
      HWND control;
      HBRUSH expected;
    };
    const Other kOthers[] = {
        {WM_CTLCOLORSTATIC, GetDlgItem(window, IDOK), defaultStatic},  // a static that is no field
        {WM_CTLCOLORSTATIC, nullptr, defaultStatic},
        {WM_CTLCOLORBTN, GetDlgItem(window, IDC_OS_NAME), defaultButton},  // a field, other kind
    };
    for (const Other& other : kOthers) {
      SetBkColor(dc, RGB(1, 2, 3));
      EXPECT_EQ(
          reinterpret_cast<HBRUSH>(SendMessageW(window, other.message, reinterpret_cast<WPARAM>(dc),
                                                reinterpret_cast<LPARAM>(other.control))),
          other.expected);
      EXPECT_NE(GetBkColor(dc), kFieldColor);
    }
    ReleaseDC(window, dc);
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  });
}

TEST_F(PaintingTest, AThousandPaintsReleaseEverythingTheyMake) {
  CUpgradeDlg dialog;
  RunModal(dialog, [](HWND window) {
    UpdateWindow(window);
    const GdiCounts before = gdi_counter::Counts();
    for (int i = 0; i < 1000; ++i) {
      RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    const GdiCounts after = gdi_counter::Counts();
    // A memory context and the picture for each paint, each deleted again.
    EXPECT_EQ(after.made - before.made, 2000);
    EXPECT_EQ(after.released - before.released, 2000);
    EXPECT_EQ(after.failedReleases, before.failedReleases);
    EXPECT_EQ(after.blits - before.blits, 1000);
    EXPECT_EQ(after.brushesMade, before.brushesMade);
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  });
}

TEST_F(PaintingTest, MissingPictureIsNeitherSelectedNorCopied) {
  CUpgradeDlg dialog;
  RunModal(dialog, [](HWND window) {
    UpdateWindow(window);
    gdi_counter::failLoadBitmap = true;
    const GdiCounts before = gdi_counter::Counts();
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const GdiCounts after = gdi_counter::Counts();
    EXPECT_EQ(after.blits, before.blits);
    EXPECT_EQ(after.nullSelections, before.nullSelections);
    EXPECT_EQ(after.made - before.made, 1);  // the memory context, released again
    EXPECT_EQ(after.released - before.released, 1);
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  });
}

// The dialog's icon as the application loads it: LoadIcon hands out one
// shared handle per resource.
HICON ProgramIcon() {
  return LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
}

TEST_F(PaintingTest, WindowCarriesTheIconInBothSizesAndWhenDragged) {
  struct Query {
    const char* name;
    UINT message;
    WPARAM size;
  };
  const Query kQueries[] = {
      {"WM_GETICON ICON_BIG", WM_GETICON, ICON_BIG},
      {"WM_GETICON ICON_SMALL", WM_GETICON, ICON_SMALL},
      {"WM_QUERYDRAGICON", WM_QUERYDRAGICON, 0},
  };
  const HICON icon = ProgramIcon();
  EXPECT_NE(icon, nullptr);
  CUpgradeDlg dialog;
  EXPECT_EQ(dialog.m_hIcon, icon);
  RunModal(dialog, [&](HWND window) {
    for (const Query& query : kQueries) {
      EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(window, query.message, query.size, 0)), icon)
          << query.name;
    }
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  });
}

WNDPROC dialogProcedure = nullptr;
std::vector<WPARAM> iconBackgroundErases;  // the DC of each WM_ICONERASEBKGND

LRESULT CALLBACK RecordIconErase(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ICONERASEBKGND) iconBackgroundErases.push_back(wParam);
  return CallWindowProcW(dialogProcedure, window, message, wParam, lParam);
}

// Minimised, the client area Windows reports is empty; a reported one of
// 161 x 37 pixels tells width from height. The icon is 32 x 32 pixels.
struct IconPlace {
  const char* name;
  SIZE client;  // 0 x 0: the one the window has
  POINT icon;   // where the icon goes: half the room left, truncated toward zero
};

void PrintTo(const IconPlace& place, std::ostream* out) { *out << place.name; }

class MinimisedPaint : public PaintingTest, public ::testing::WithParamInterface<IconPlace> {};

TEST_P(MinimisedPaint, ErasesAndDrawsTheIconCentred) {
  ASSERT_EQ(GetSystemMetrics(SM_CXICON), 32);
  ASSERT_EQ(GetSystemMetrics(SM_CYICON), 32);
  CUpgradeDlg dialog;
  RunModal(dialog, [&](HWND window) {
    ShowWindow(window, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(window));
    dialogProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordIconErase)));
    iconBackgroundErases.clear();
    gdi_counter::IconDraws().clear();
    const GdiCounts before = gdi_counter::Counts();
    gdi_counter::clientSize = GetParam().client;
    SendMessageW(window, WM_PAINT, 0, 0);
    gdi_counter::clientSize = SIZE{0, 0};
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(dialogProcedure));
    const GdiCounts after = gdi_counter::Counts();

    const WPARAM paintDc = reinterpret_cast<WPARAM>(after.lastPaintDc);
    EXPECT_NE(paintDc, 0u);
    EXPECT_EQ(iconBackgroundErases, std::vector<WPARAM>{paintDc});
    const std::vector<IconDraw>& draws = gdi_counter::IconDraws();
    EXPECT_EQ(draws.size(), 1u);
    if (!draws.empty()) {
      EXPECT_EQ(reinterpret_cast<WPARAM>(draws[0].dc), paintDc);
      EXPECT_EQ(draws[0].icon, ProgramIcon());
      EXPECT_EQ(draws[0].x, GetParam().icon.x);
      EXPECT_EQ(draws[0].y, GetParam().icon.y);
    }
    EXPECT_EQ(after.blits, before.blits);  // no picture
    ShowWindow(window, SW_RESTORE);
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  });
}

INSTANTIATE_TEST_SUITE_P(Client, MinimisedPaint,
                         ::testing::Values(IconPlace{"empty", {0, 0}, {-15, -15}},
                                           IconPlace{"161 x 37", {161, 37}, {65, 3}}),
                         table::NameCases());

TEST_F(PaintingTest, ScreenShowsThePictureTheBlueFieldsAndTheDialogColour) {
  const Pixels picture = BackgroundPicture();
  ASSERT_EQ(picture.width, 462);
  ASSERT_EQ(picture.height, 211);
  CUpgradeDlg dialog;
  WithPaintedDialog(dialog, [&](HWND window) {
    const Pixels shot = Screenshot(window);
    ASSERT_GT(shot.width, 450);
    ASSERT_GT(shot.height, 210);

    for (int id : kFields) {
      RECT field;
      GetClientRect(GetDlgItem(window, id), &field);
      MapWindowPoints(GetDlgItem(window, id), window, reinterpret_cast<POINT*>(&field), 2);
      // The right end of the field holds no text; its border is a few pixels wide.
      for (int y = field.top + 3; y < field.bottom - 3; ++y) {
        EXPECT_EQ(shot.At(field.right - 4, y), kFieldColor) << "field " << id << " row " << y;
      }
    }

    const COLORREF face = GetSysColor(COLOR_3DFACE);
    const std::vector<RECT> controls = ControlRects(window);
    int pictureMismatches = 0;
    int faceMismatches = 0;
    for (int y = 0; y < shot.height; ++y) {
      for (int x = 0; x < shot.width; ++x) {
        if (UnderAControl(controls, x, y)) continue;
        if (x < 450 && y < 210) {
          pictureMismatches += shot.At(x, y) != picture.At(x, y);
        } else {
          faceMismatches += shot.At(x, y) != face;
        }
      }
    }
    EXPECT_EQ(pictureMismatches, 0);
    EXPECT_EQ(faceMismatches, 0);
  });
}

}  // namespace
