// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A status bar that draws its panels itself, so that every panel has its own font, colour,
// alignment, bevel and image. Panels can size themselves to their text or share the width
// that the others leave; clicks go to the panel under the mouse, else to the bar.

#include "platform/GdiFont.h"
#include "widgets/Events.h"

#include <QImage>
#include <QList>
#include <QMenu>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <functional>

class GdiCanvas;
class TStatusPanelPro;
class TStatusPanelsPro;

class TStatusBarPro : public QWidget
{
    Q_OBJECT

public:
    using DrawPanelEvent =
        std::function<void(TStatusBarPro *bar, TStatusPanelPro *panel, const QRect &rect, GdiCanvas &canvas)>;
    using HintEvent = std::function<void(QObject *sender, const QString &hint)>;

    static constexpr int MaxLayoutPanels = 128;
    static constexpr int SizeGripWidth = 16;

    explicit TStatusBarPro(QWidget *parent = nullptr);
    ~TStatusBarPro() override;

    TStatusPanelsPro *panels() const { return m_panels; }

    bool autoHint() const { return m_autoHint; }
    void setAutoHint(bool autoHint);
    int autoHintPanelIndex() const { return m_autoHintPanelIndex; }
    void setAutoHintPanelIndex(int index) { m_autoHintPanelIndex = index; }
    ColorValue color() const { return m_color; }
    void setColor(ColorValue color);
    const GdiFont &barFont() const { return m_font; }
    void setBarFont(const GdiFont &font);
    bool useSystemFont() const { return m_useSystemFont; }
    void setUseSystemFont(bool use);
    // An image list: all images have the size of the first one.
    const QList<QImage> &images() const { return m_images; }
    void setImages(const QList<QImage> &images);
    QSize imageSize() const;
    bool simplePanel() const { return m_simplePanel; }
    void setSimplePanel(bool simple);
    QString simpleText() const { return m_simpleText; }
    void setSimpleText(const QString &text);
    bool sizeGrip() const { return m_sizeGrip; }
    void setSizeGrip(bool sizeGrip);
    QMenu *popupMenu() const { return m_popupMenu; }
    void setPopupMenu(QMenu *menu) { m_popupMenu = menu; }

    // The panel the last mouse-down (or, with tool tips, the last move) was over.
    TStatusPanelPro *hotPanel() const { return m_hotPanel; }
    // The part rectangle of a panel as laid out, bevel included; empty in simple mode.
    QRect panelRect(int index) const;
    int panelAt(QPoint pos) const;
    // Shows a hint as the auto hint does: OnHint, else the auto-hint panel or the simple text.
    void showHint(const QString &hint);

#ifndef NDEBUG
    // Debug builds only: how often a panel's rectangle was invalidated, so that a test can see
    // that nothing was redrawn.
    int panelInvalidations() const { return m_panelInvalidations; }
#endif

    QSize sizeHint() const override;

    NotifyEvent OnClick;
    NotifyEvent OnDblClick;
    MouseEvent OnMouseDown;
    MouseEvent OnMouseUp;
    MouseEvent OnMouseMove;
    HintEvent OnHint;
    DrawPanelEvent OnDrawPanel;
    NotifyEvent OnResize;

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    friend class TStatusPanelsPro;
    friend class TStatusPanelPro;

    void layoutPanels();
    void computeLayout();
    void ensureLayout() const;
    void invalidatePanel(TStatusPanelPro *panel);
    void placeControl(TStatusPanelPro *panel);
    void releaseControl(QWidget *control, TStatusPanelPro *except);
    void applyFontToPanels();
    void applyColorToPanels();
    int layoutCount() const;
    QRect drawRect(int index) const;
    void drawPanel(GdiCanvas &canvas, TStatusPanelPro *panel, const QRect &rect);
    void drawSimple(GdiCanvas &canvas);
    void setHotPanel(QPoint pos);

    TStatusPanelsPro *m_panels = nullptr;
    bool m_autoHint = false;
    int m_autoHintPanelIndex = 0;
    ColorValue m_color = SystemColor::ButtonFace;
    GdiFont m_font;
    bool m_useSystemFont = true;
    QList<QImage> m_images;
    bool m_simplePanel = false;
    QString m_simpleText;
    bool m_sizeGrip = true;
    QPointer<QMenu> m_popupMenu;

    QList<int> m_rightEdges;
    int m_layoutWidth = -1;
    QPointer<TStatusPanelPro> m_hotPanel;
    bool m_leftDown = false;
#ifndef NDEBUG
    int m_panelInvalidations = 0;
#endif
    const QEvent *m_lastHintEvent = nullptr;
    QString m_lastHint;
};
