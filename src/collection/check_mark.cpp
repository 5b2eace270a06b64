#include "collection/check_mark.h"

#include "platform/dc.h"

using namespace platform;

void DrawCheckMark(CDC* dc, int x, int y, bool ticked, unsigned divisor) {
    if (!dc || divisor == 0)
        return;
    const int dpiX = dc->GetDeviceCaps(LOGPIXELSX);
    const int dpiY = dc->GetDeviceCaps(LOGPIXELSY);
    const int d = int(divisor);
    const int w = dpiX / d;
    const int h = dpiY / d;

    CPen thin(PS_SOLID, dpiX / 120, Qt::black);
    CPen thick(PS_SOLID, dpiX / 45, Qt::black);
    CPen* previous = dc->SelectObject(&thin);
    dc->MoveTo(x, y);
    dc->LineTo(x - w, y);
    dc->LineTo(x - w, y - h);
    dc->LineTo(x, y - h);
    dc->LineTo(x, y);
    if (ticked) {
        dc->SelectObject(&thick);
        dc->MoveTo(x - w + dpiX / 35, y - h / 2);
        dc->LineTo(x - w / 2, y - dpiY / 50);
        dc->LineTo(x - dpiX / 40, y + dpiY / 40 - h);
    }
    dc->SelectObject(previous);
    thin.DeleteObject();
    thick.DeleteObject();
}
