#include "tests/controls/InputControls.h"

const char* const kUpdownObjects = R"(
  object XImageButtonColor2: TXImageButtonColor
    Width = 15
    Height = 9
    EnableAnimation = False
    PicImageList = frmResource.XImageButtonPicList9
  end
  object XImageButtonColor1: TXImageButtonColor
    Width = 15
    Height = 9
    EnableAnimation = False
    PicImageList = frmResource.XImageButtonPicList8
  end
  object MyUpdown1: TMyUpdown
    Width = 15
    Height = 19
    BevelOuter = bvNone
    Color = $00F9EEE3
    Max = 999
    Min = 2
    Associate = block_edt
    UpButton = XImageButtonColor2
    DownButton = XImageButtonColor1
  end
)";

const char* const kComboObjects = R"(
  object OrvVclButton2: TOrvVclButton
    XPicList = frmResource.XImageButtonPicList2
  end
  object OrvVclScrollBar4: TOrvVclScrollBar
    Kind = sbVertical
    Visible = False
    PicList = frmResource.OrvVclScrollbarPicList3
    Picstyle = 4
  end
  object size_com_box: TOrvVclComboBox
    Left = 300
    Top = 96
    Width = 120
    Style = csDropDownList
    Color = clWhite
    Items.Strings = ('MB' 'KB' 'byte(s)' 'unit 4' 'unit 5' 'unit 6' 'unit 7' 'unit 8' 'unit 9' 'unit 10'
      'unit 11' 'unit 12')
    ItemIndex = 0
    MyButton = OrvVclButton2
    MyScrollbar = OrvVclScrollBar4
    PicList = frmResource.OrvVclScrollbarPicList3
    Picstyle = 4
  end
)";

TColor WindowPixel(HWND wnd, int x, int y, bool wholeWindow) {
  HDC dc = wholeWindow ? GetWindowDC(wnd) : GetDC(wnd);
  const COLORREF pixel = GetPixel(dc, x, y);
  ReleaseDC(wnd, dc);
  return pixel;
}
