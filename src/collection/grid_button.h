#pragma once
// The page surface of the collection list: a flat button whose whole painting
// is the list dialog's page, drawn in its paint handler.

#include "platform/controls.h"
#include "platform/dc.h"

#include <cstdint>

class CListDlg;
class QObject;

class CGridButton : public platform::CButton {
public:
    CGridButton() = default;
    ~CGridButton() override;

    // Takes over control id of the list dialog; from then on the dialog's
    // PaintPage paints it and the button's own painting never runs.
    void SubclassDlgItem(int id, CListDlg* parent);

    // Paint handler: reads the client rectangle on the first paint only.
    void OnPaint();

    std::int32_t rectCached = 0; // 0: clientRect not read yet
    platform::RECT clientRect;

private:
    CListDlg* listDlg = nullptr;
    QObject* paintRouter = nullptr;
};
