// The main dialog's painting: the background picture, the light-blue fields
// and the release of every GDI object a paint makes. The pixels are read back
// from the screen, as a screenshot of the running dialog would show them.
#include <gtest/gtest.h>

#include <vector>

#include "GdiCounter.h"
#include "Machine.h"
#include "ModalRun.h"
#include "TestApp.h"
#include "res/resource.h"
#include "ui/UpgradeDlg.h"

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

// 32-bit pixels, top-down, as 0x00RRGGBB.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<DWORD> data;
  COLORREF At(int x, int y) const {
    const DWORD p = data[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
};

Pixels ReadBitmap(HDC source, HBITMAP bitmap, int width, int height) {
  Pixels pixels;
  pixels.width = width;
  pixels.height = height;
  pixels.data.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  GetDIBits(source, bitmap, 0, static_cast<UINT>(height), pixels.data.data(), &info, DIB_RGB_COLORS);
  return pixels;
}

// The dialog's client area as the screen shows it.
Pixels Screenshot(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP shot = CreateCompatibleBitmap(screen, client.right, client.bottom);
  HGDIOBJ previous = SelectObject(memory, shot);
  BitBlt(memory, 0, 0, client.right, client.bottom, screen, origin.x, origin.y, SRCCOPY);
  SelectObject(memory, previous);
  Pixels pixels = ReadBitmap(memory, shot, client.right, client.bottom);
  DeleteObject(shot);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
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
    Sleep(200);  // let the X server finish drawing before the pixels are read
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
    defaultStatic = reinterpret_cast<HBRUSH>(SendMessageW(
        window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
        reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_OS_NAME))));
    defaultButton = reinterpret_cast<HBRUSH>(SendMessageW(
        window, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
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
        const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
            window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
            reinterpret_cast<LPARAM>(GetDlgItem(window, id))));
        if (fieldBrush == nullptr) fieldBrush = brush;
        EXPECT_EQ(brush, fieldBrush) << id;
        EXPECT_EQ(GetBkColor(dc), 0x00FABE64u) << id;
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
      EXPECT_EQ(reinterpret_cast<HBRUSH>(SendMessageW(window, other.message,
                                                      reinterpret_cast<WPARAM>(dc),
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
