// The standard controls of dialog templates: buttons, group boxes, static
// texts and icons, edit boxes, trackbars and drop-down lists, and how their
// Qt signals become the notifications of the parent's message map.
#include "afx_internal.h"
#include "commctrl.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPushButton>
#include <QShortcutEvent>
#include <QSlider>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace
{
// Windows' prefix rule for static texts: "&x" underlines x (here: shows x),
// "&&" shows one ampersand.
QString WithoutPrefixes(const std::string& text)
{
    std::string shown;
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        else if (text[i] == '&')
            continue;
        shown += text[i];
    }
    return afx::ToQt(shown.c_str());
}

struct ButtonWindow : HWND__
{
    std::string text;

    std::string Text() const override { return text; }
    void SetText(const std::string& newText) override
    {
        text = newText;
        if (auto* button = qobject_cast<QPushButton*>(widget.data()))
            button->setText(afx::ToQt(text.c_str()));
        else if (auto* group = qobject_cast<QGroupBox*>(widget.data()))
            group->setTitle(afx::ToQt(text.c_str()));
    }
};

struct StaticWindow : HWND__
{
    std::string text;
    QRect templateGeometry;

    std::string Text() const override { return text; }
    void SetText(const std::string& newText) override
    {
        text = newText;
        auto* label = qobject_cast<QLabel*>(widget.data());
        if (label == nullptr || (style & SS_TYPEMASK) == SS_ICON)
            return;
        label->setText((style & SS_NOPREFIX) != 0 ? afx::ToQt(text.c_str()) : WithoutPrefixes(text));
        ShowTextWhole(label);
    }

    // The stand-in dialog font runs a little wider and taller than Windows'
    // own, so a text that fits its room on Windows may not fit here, and the
    // room would hide its end. In a room of one line such a text runs on past
    // its right edge instead of wrapping; a text of several lines wraps as on
    // Windows and runs on below its bottom edge when its lines need it.
    void ShowTextWhole(QLabel* label) const
    {
        // In Qt's logical units, as the label measures its text.
        const QRect room = afx::ToLogical(templateGeometry);
        const QFontMetrics metrics(label->font());
        const bool oneLine = room.height() < 2 * metrics.height();
        label->setWordWrap(!oneLine);
        // The ink of the last glyph may stand a pixel past its advance.
        const int width =
            oneLine ? std::max(room.width(), metrics.boundingRect(label->text()).width() + 1) : room.width();
        const int height = oneLine ? room.height() : std::max(room.height(), label->heightForWidth(width));
        label->setGeometry(room.x(), room.y(), width, height);
    }
};

struct EditWindow : HWND__
{
    QLineEdit* Edit() const { return qobject_cast<QLineEdit*>(widget.data()); }
    std::string Text() const override { return Edit() != nullptr ? afx::FromQt(Edit()->text()) : std::string(); }
    void SetText(const std::string& newText) override
    {
        if (Edit() == nullptr)
            return;
        Edit()->setText(afx::ToQt(newText.c_str()));
        // As an edit control does: a text set by the program shows from its
        // beginning, with the caret before its first letter.
        Edit()->setCursorPosition(0);
    }
};

// A push button whose mnemonic clicks it at once, as the dialog manager's
// does; Qt's own shows the button pressed for 100 ms and clicks after that.
// A mnemonic that several controls share still moves the focus among them.
struct DialogPushButton : QPushButton
{
    using QPushButton::QPushButton;

    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::Shortcut && !static_cast<QShortcutEvent*>(event)->isAmbiguous())
        {
            click();
            return true;
        }
        return QPushButton::event(event);
    }
};

// Sends NM_CUSTOMDRAW to the parent at the start of each paint, as the
// trackbar does.
struct CustomDrawSlider : QSlider
{
    using QSlider::QSlider;

    void paintEvent(QPaintEvent* event) override
    {
        HWND__* window = afx::FromWidget(this);
        if (window != nullptr && window->parent != nullptr)
        {
            NMCUSTOMDRAW draw{};
            draw.hdr.hwndFrom = window;
            draw.hdr.idFrom = static_cast<UINT_PTR>(window->id);
            draw.hdr.code = NM_CUSTOMDRAW;
            draw.dwDrawStage = CDDS_PREPAINT;
            const QSize size = afx::ToDevice(this->size());
            draw.rc = RECT{0, 0, size.width(), size.height()};
            ++afx::g_widgetPaintDepth;
            afx::Send(window->parent, WM_NOTIFY, static_cast<WPARAM>(window->id), reinterpret_cast<LPARAM>(&draw));
            --afx::g_widgetPaintDepth;
        }
        QSlider::paintEvent(event);
    }
};

struct TrackbarWindow : HWND__
{
    QSlider* Slider() const { return qobject_cast<QSlider*>(widget.data()); }

    LRESULT ClassProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        QSlider* slider = Slider();
        if (slider == nullptr)
            return HWND__::ClassProc(message, wParam, lParam);
        switch (message)
        {
        case TBM_GETPOS:
            return slider->value();
        case TBM_GETRANGEMIN:
            return slider->minimum();
        case TBM_GETRANGEMAX:
            return slider->maximum();
        case TBM_SETPOS:
            slider->setValue(static_cast<int>(lParam));
            return 0;
        case TBM_SETRANGEMIN:
            slider->setMinimum(static_cast<int>(lParam));
            return 0;
        case TBM_SETRANGEMAX:
            slider->setMaximum(static_cast<int>(lParam));
            return 0;
        case TBM_SETRANGE:
            slider->setRange(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
            return 0;
        default:
            return HWND__::ClassProc(message, wParam, lParam);
        }
    }
};

struct ComboWindow : HWND__
{
    // Set while the program changes the list: only the user's choices notify.
    bool programmatic = false;

    QComboBox* Combo() const { return qobject_cast<QComboBox*>(widget.data()); }
    std::string Text() const override
    {
        return Combo() != nullptr ? afx::FromQt(Combo()->currentText()) : std::string();
    }

    LRESULT ClassProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        QComboBox* combo = Combo();
        if (combo == nullptr)
            return HWND__::ClassProc(message, wParam, lParam);
        switch (message)
        {
        case CB_ADDSTRING:
        {
            programmatic = true;
            const int selected = combo->currentIndex();
            combo->addItem(afx::ToQt(reinterpret_cast<const char*>(lParam)));
            // Adding selects nothing, unlike QComboBox's first insertion.
            combo->setCurrentIndex(selected);
            programmatic = false;
            return combo->count() - 1;
        }
        case CB_GETCOUNT:
            return combo->count();
        case CB_GETCURSEL:
            return combo->currentIndex() >= 0 ? combo->currentIndex() : CB_ERR;
        case CB_SETCURSEL:
        {
            const int index = static_cast<int>(static_cast<INT_PTR>(wParam));
            const bool valid = index >= 0 && index < combo->count();
            programmatic = true;
            combo->setCurrentIndex(valid ? index : -1);
            programmatic = false;
            return valid ? index : CB_ERR;
        }
        default:
            return HWND__::ClassProc(message, wParam, lParam);
        }
    }
};

bool IsClass(const char* windowClass, const char* name)
{
    return windowClass != nullptr && strcasecmp(windowClass, name) == 0;
}

std::unique_ptr<HWND__> MakeControl(const DialogItemTemplate& item, AfxDialogWindow* dialog, QWidget* parent)
{
    const QRect geometry(dialog->ToPixelsX(item.x), dialog->ToPixelsY(item.y), dialog->ToPixelsX(item.cx),
                         dialog->ToPixelsY(item.cy));
    std::unique_ptr<HWND__> window;
    QWidget* widget = nullptr;

    if (IsClass(item.windowClass, WC_BUTTON))
    {
        auto button = std::make_unique<ButtonWindow>();
        if ((item.style & BS_TYPEMASK) == BS_GROUPBOX)
        {
            widget = new QGroupBox(parent);
        }
        else
        {
            auto* push = new DialogPushButton(parent);
            // Enter goes to the focused push button or else to the one
            // BS_DEFPUSHBUTTON; Qt's auto-default would move the default.
            push->setAutoDefault(false);
            push->setDefault((item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
            ButtonWindow* raw = button.get();
            QObject::connect(push, &QPushButton::clicked, push, [raw] { raw->NotifyParent(BN_CLICKED); });
            widget = push;
        }
        window = std::move(button);
    }
    else if (IsClass(item.windowClass, WC_STATIC))
    {
        auto* label = new QLabel(parent);
        label->setTextFormat(Qt::PlainText);
        const DWORD type = item.style & SS_TYPEMASK;
        if (type == SS_ICON)
        {
            if (HICON icon = afx::IconFromResource(static_cast<UINT>(std::atoi(item.text != nullptr ? item.text : ""))))
                label->setPixmap(icon->pixmap);
        }
        else
        {
            label->setWordWrap(true);
            const Qt::Alignment horizontal = type == SS_CENTER  ? Qt::AlignHCenter
                                             : type == SS_RIGHT ? Qt::AlignRight
                                                                : Qt::AlignLeft;
            label->setAlignment(horizontal | Qt::AlignTop);
        }
        widget = label;
        window = std::make_unique<StaticWindow>();
    }
    else if (IsClass(item.windowClass, WC_EDIT))
    {
        auto* edit = new QLineEdit(parent);
        edit->setFrame((item.style & WS_BORDER) != 0);
        edit->setReadOnly((item.style & ES_READONLY) != 0);
        const DWORD align = item.style & (ES_CENTER | ES_RIGHT);
        edit->setAlignment(align == ES_CENTER  ? Qt::AlignCenter
                           : align == ES_RIGHT ? Qt::AlignRight | Qt::AlignVCenter
                                               : Qt::AlignLeft | Qt::AlignVCenter);
        auto editWindow = std::make_unique<EditWindow>();
        EditWindow* raw = editWindow.get();
        QObject::connect(edit, &QLineEdit::textChanged, edit, [raw] { raw->NotifyParent(EN_CHANGE); });
        widget = edit;
        window = std::move(editWindow);
    }
    else if (IsClass(item.windowClass, TRACKBAR_CLASS))
    {
        auto* slider = new CustomDrawSlider((item.style & TBS_VERT) != 0 ? Qt::Vertical : Qt::Horizontal, parent);
        slider->setTickPosition((item.style & TBS_NOTICKS) != 0 ? QSlider::NoTicks : QSlider::TicksBelow);
        // A new trackbar has the range 0..100 at position 0.
        slider->setRange(0, 100);
        slider->setValue(0);
        widget = slider;
        window = std::make_unique<TrackbarWindow>();
    }
    else if (IsClass(item.windowClass, WC_COMBOBOX))
    {
        auto* combo = new QComboBox(parent);
        combo->setEditable(false);
        // A dropped list of the template's height, as Windows drops it;
        // styles that show a menu-like pop-up (Fusion) ignore the maximum
        // of visible items otherwise.
        combo->setStyleSheet("QComboBox { combobox-popup: 0; }");
        auto comboWindow = std::make_unique<ComboWindow>();
        ComboWindow* raw = comboWindow.get();
        QObject::connect(combo, qOverload<int>(&QComboBox::currentIndexChanged), combo, [raw] {
            if (!raw->programmatic)
                raw->NotifyParent(CBN_SELCHANGE);
        });
        // Moving through the dropped list, with the mouse or the arrows,
        // selects as it goes, as a dropped list box does.
        QObject::connect(combo, qOverload<int>(&QComboBox::highlighted), combo, [combo](int index) {
            if (combo->view()->isVisible())
                combo->setCurrentIndex(index);
        });
        widget = combo;
        window = std::move(comboWindow);
    }
    else
    {
        return nullptr;
    }

    window->id = item.id;
    window->style = item.style;
    window->exStyle = item.exStyle;
    window->parent = dialog;
    afx::Attach(window.get(), widget);
    widget->setFont(parent->font());

    const QRect logicalGeometry = afx::ToLogical(geometry);
    if (auto* combo = qobject_cast<QComboBox*>(widget))
    {
        // The template's height includes the dropped list.
        const int closedHeight = combo->sizeHint().height();
        widget->setGeometry(logicalGeometry.x(), logicalGeometry.y(), logicalGeometry.width(), closedHeight);
        const int itemHeight = combo->fontMetrics().height() + 2;
        combo->setMaxVisibleItems(std::max(1, (logicalGeometry.height() - closedHeight) / itemHeight));
    }
    else
    {
        widget->setGeometry(logicalGeometry);
    }
    if (auto* staticWindow = dynamic_cast<StaticWindow*>(window.get()))
        staticWindow->templateGeometry = geometry;

    // Each control has its own class cursor, so a cursor the program sets
    // over the dialog does not show over its controls; edit boxes keep
    // their I-beam.
    if (qobject_cast<QLineEdit*>(widget) == nullptr)
        widget->setCursor(Qt::ArrowCursor);

    if (auto* push = qobject_cast<QPushButton*>(widget))
        push->setFocusPolicy((item.style & WS_TABSTOP) != 0 ? Qt::StrongFocus : Qt::ClickFocus);
    else if (qobject_cast<QLabel*>(widget) != nullptr || qobject_cast<QGroupBox*>(widget) != nullptr)
        widget->setFocusPolicy(Qt::NoFocus);
    else
        widget->setFocusPolicy((item.style & WS_TABSTOP) != 0 ? Qt::StrongFocus : Qt::ClickFocus);
    widget->setEnabled((item.style & WS_DISABLED) == 0);

    if (item.text != nullptr)
        window->SetText(item.text);
    widget->show();
    return window;
}
}  // namespace

namespace afx
{
void CreateControls(AfxDialogWindow* dialog)
{
    QWidget* parent = dialog->widget;
    QWidget* previousTabStop = nullptr;
    for (const DialogItemTemplate& item : dialog->dialogTemplate->items)
    {
        std::unique_ptr<HWND__> control = MakeControl(item, dialog, parent);
        if (!control)
            continue;
        // Template order is tab order.
        if ((item.style & WS_TABSTOP) != 0)
        {
            if (previousTabStop != nullptr)
                QWidget::setTabOrder(previousTabStop, control->widget);
            previousTabStop = control->widget;
        }
        control->widget->installEventFilter(parent);
        dialog->children.push_back(std::move(control));
    }
}
}  // namespace afx

void InitCommonControls()
{
    // Nothing to register: the layer makes every control class itself.
}

// ---------------------------------------------------------------------------
// Control wrappers
// ---------------------------------------------------------------------------
int CSliderCtrl::GetPos() const
{
    return static_cast<int>(afx::Send(m_hWnd, TBM_GETPOS));
}

void CSliderCtrl::SetPos(int nPos)
{
    afx::Send(m_hWnd, TBM_SETPOS, TRUE, nPos);
}

int CSliderCtrl::GetRangeMin() const
{
    return static_cast<int>(afx::Send(m_hWnd, TBM_GETRANGEMIN));
}

int CSliderCtrl::GetRangeMax() const
{
    return static_cast<int>(afx::Send(m_hWnd, TBM_GETRANGEMAX));
}

void CSliderCtrl::SetRangeMin(int nMin, BOOL bRedraw)
{
    afx::Send(m_hWnd, TBM_SETRANGEMIN, bRedraw, nMin);
}

void CSliderCtrl::SetRangeMax(int nMax, BOOL bRedraw)
{
    afx::Send(m_hWnd, TBM_SETRANGEMAX, bRedraw, nMax);
}

void CSliderCtrl::SetRange(int nMin, int nMax, BOOL bRedraw)
{
    afx::Send(m_hWnd, TBM_SETRANGE, bRedraw, MAKELPARAM(nMin, nMax));
}

int CComboBox::GetCount() const
{
    return static_cast<int>(afx::Send(m_hWnd, CB_GETCOUNT));
}

int CComboBox::GetCurSel() const
{
    return static_cast<int>(afx::Send(m_hWnd, CB_GETCURSEL));
}

int CComboBox::SetCurSel(int nSelect)
{
    return static_cast<int>(afx::Send(m_hWnd, CB_SETCURSEL, static_cast<WPARAM>(nSelect)));
}
