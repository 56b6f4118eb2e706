#include "res/TemplateDialog.h"

#include "res/AppIcon.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QShowEvent>
#include <QTableView>

#include <algorithm>
#include <utility>
#include <vector>

namespace drawbook {

namespace {

const char* const kControlIdProperty = "controlId";

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

bool Has(const ControlTemplate& control, std::uint32_t flag) {
    return (control.styles & flag) != 0;
}

QWidget* MakeButton(const ControlTemplate& c, QWidget* parent) {
    auto* button = new QPushButton(Text(c.caption), parent);
    button->setDefault(c.kind == ControlKind::DefPushButton);
    button->setFlat(Has(c, style::Flat));
    if (Has(c, style::LeftText)) {
        button->setStyleSheet(QStringLiteral("QPushButton { text-align: left; padding-left: 3px; }"));
    }
    return button;
}

QWidget* MakeEdit(const ControlTemplate& c, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setFrame(Has(c, style::Border));
    edit->setAlignment(Has(c, style::Center) ? Qt::AlignCenter : (Qt::AlignLeft | Qt::AlignVCenter));
    edit->setTextMargins(0, 0, 0, 0);
    if (Has(c, style::ReadOnly)) {
        SetReadOnly(edit);
    }
    return edit;
}

QWidget* MakeLabel(const ControlTemplate& c, QWidget* parent) {
    auto* label = new QLabel(Text(c.caption), parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setMargin(0);
    return label;
}

QWidget* MakeListView(const ControlTemplate& c, QWidget* parent) {
    auto* view = new QTableView(parent);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(Has(c, style::SingleSel) ? QAbstractItemView::SingleSelection
                                                    : QAbstractItemView::ExtendedSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setShowGrid(false);
    view->setWordWrap(false);
    view->setTabKeyNavigation(false);
    view->setFrameShape(Has(c, style::Border) ? QFrame::StyledPanel : QFrame::NoFrame);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(QFontMetrics(parent->font()).height() + 4);
    view->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    view->horizontalHeader()->setHighlightSections(false);
    view->horizontalHeader()->setStretchLastSection(false);
    if (!Has(c, style::ShowSelAlways)) {
        // The selection is hidden while the list has no focus.
        QPalette palette = view->palette();
        palette.setBrush(QPalette::Inactive, QPalette::Highlight, palette.brush(QPalette::Inactive, QPalette::Base));
        palette.setBrush(QPalette::Inactive, QPalette::HighlightedText,
                         palette.brush(QPalette::Inactive, QPalette::Text));
        view->setPalette(palette);
    }
    return view;
}

QWidget* MakeIcon(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setPixmap(AppIcon().pixmap(32, 32));
    return label;
}

QWidget* MakeControl(const ControlTemplate& c, QWidget* parent) {
    switch (c.kind) {
    case ControlKind::PushButton:
    case ControlKind::DefPushButton:
        return MakeButton(c, parent);
    case ControlKind::Edit:
        return MakeEdit(c, parent);
    case ControlKind::Label:
        return MakeLabel(c, parent);
    case ControlKind::GroupBox: {
        // The caption sits on the frame's top line.
        auto* box = new QGroupBox(Text(c.caption), parent);
        const QString title =
            Has(c, style::Center) ? QStringLiteral("subcontrol-position: top center;") : QStringLiteral("left: 6px;");
        box->setStyleSheet(QStringLiteral("QGroupBox { border: 1px solid palette(mid); border-radius: 0px;"
                                          " margin-top: 0.5em; }"
                                          "QGroupBox::title { subcontrol-origin: margin; padding: 0px; %1 }")
                               .arg(title));
        return box;
    }
    case ControlKind::RadioButton:
        return new QRadioButton(Text(c.caption), parent);
    case ControlKind::CheckBox:
        if (Has(c, style::PushLike)) {
            auto* button = new QPushButton(Text(c.caption), parent);
            button->setCheckable(true);
            button->setAutoDefault(false);
            return button;
        }
        return new QCheckBox(Text(c.caption), parent);
    case ControlKind::ListView:
        return MakeListView(c, parent);
    case ControlKind::Icon:
        return MakeIcon(parent);
    }
    return nullptr;
}

// The dialog font on Linux is wider than the one the templates were laid out
// with. A label or a flat button whose text does not fit grows to the right,
// as far as the next control on its line or the dialog's edge allows.
void FitText(QWidget* dialog, const std::vector<std::pair<QWidget*, ControlKind>>& built) {
    for (const auto& [widget, kind] : built) {
        const auto* button = qobject_cast<QPushButton*>(widget);
        const bool mayGrow = kind == ControlKind::Label || (button != nullptr && button->isFlat());
        const int needed = widget->sizeHint().width();
        if (!mayGrow || needed <= widget->width()) {
            continue;
        }
        int limit = dialog->width();
        const QRect own = widget->geometry();
        for (const auto& [other, otherKind] : built) {
            const QRect rect = other->geometry();
            if (other != widget && otherKind != ControlKind::GroupBox && rect.left() >= own.right() &&
                rect.top() < own.bottom() && rect.bottom() > own.top()) {
                limit = std::min(limit, rect.left() - 2);
            }
        }
        widget->resize(std::max(own.width(), std::min(needed, limit - own.left())), own.height());
    }
}

constexpr std::uint32_t kFollowsSize = style::GrowRight | style::GrowDown | style::StickRight | style::StickBottom;

bool TakesFocus(ControlKind kind) {
    return kind != ControlKind::Label && kind != ControlKind::GroupBox && kind != ControlKind::Icon;
}

} // namespace

void SetReadOnly(QLineEdit* edit) {
    edit->setReadOnly(true);
    QPalette palette = edit->palette();
    palette.setBrush(QPalette::Base, palette.brush(QPalette::Window));
    edit->setPalette(palette);
}

QFont DialogFont(const DialogTemplate& dialogTemplate) {
    QFont font;
    font.setFamilies({Text(dialogTemplate.fontFace), QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("Noto Sans CJK JP")});
    font.setPointSize(dialogTemplate.pointSize);
    return font;
}

DialogUnits DialogUnitsFor(const QFont& font) {
    const QFontMetrics metrics(font);
    const int advance =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {AverageLetterWidth(advance), metrics.height()};
}

QWidget* FindControl(const QWidget* dialog, int id) {
    if (id == IDC_STATIC) {
        return nullptr;
    }
    const auto children = dialog->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        if (child->property(kControlIdProperty).toInt() == id) {
            return child;
        }
    }
    return nullptr;
}

TemplateDialog::TemplateDialog(int templateId, QWidget* parent)
    : QDialog(parent), m_template(FindDialogTemplate(templateId)) {
    Build();
}

void TemplateDialog::Build() {
    Qt::WindowFlags flags = Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    flags |= (m_template.styles & style::AppWindow) != 0 ? (Qt::Window | Qt::WindowMinimizeButtonHint) : Qt::Dialog;
    const bool resizable = (m_template.styles & style::Resizable) != 0;
    if (resizable) {
        flags |= Qt::WindowMinMaxButtonsHint;
    }
    setWindowFlags(flags);
    setWindowTitle(Text(m_template.caption));
    // Without an icon of its own a window shows the application's: the program sets
    // that one, and it is then drawn once for all its windows.
    if (QGuiApplication::windowIcon().isNull()) {
        setWindowIcon(AppIcon());
    }
    setFont(DialogFont(m_template));
    m_units = DialogUnitsFor(font());
    const QSize size(m_units.ToPixelsX(m_template.width), m_units.ToPixelsY(m_template.height));
    if (resizable) {
        setMinimumSize(size);
        resize(size);
        setSizeGripEnabled(true);
    } else {
        setFixedSize(size);
    }

    std::vector<std::pair<QWidget*, ControlKind>> built;
    QWidget* previous = nullptr;
    QButtonGroup* radioGroup = nullptr;
    ControlKind previousKind = ControlKind::Label;
    for (const ControlTemplate& c : m_template.controls) {
        QWidget* widget = MakeControl(c, this);
        widget->setProperty(kControlIdProperty, c.id);
        const PixelRect r = m_units.ToPixels(c.rect);
        widget->setGeometry(r.x, r.y, r.width, r.height);
        built.emplace_back(widget, c.kind);
        if (resizable && (c.styles & kFollowsSize) != 0) {
            m_followers.push_back({widget, QRect(), c.styles});
        }
        if (Has(c, style::Hidden)) {
            widget->hide();
        }

        if (c.kind == ControlKind::GroupBox) {
            // A group box only frames its neighbours; it must not cover them.
            widget->lower();
            widget->setAttribute(Qt::WA_TransparentForMouseEvents);
        }
        if (c.kind == ControlKind::RadioButton) {
            if (radioGroup == nullptr || previousKind != ControlKind::RadioButton || Has(c, style::Group)) {
                radioGroup = new QButtonGroup(this);
            }
            radioGroup->addButton(static_cast<QRadioButton*>(widget));
        }
        previousKind = c.kind;

        if (!TakesFocus(c.kind)) {
            widget->setFocusPolicy(Qt::NoFocus);
            continue;
        }
        widget->setFocusPolicy(Has(c, style::TabStop) ? Qt::StrongFocus : Qt::ClickFocus);
        if (previous != nullptr) {
            setTabOrder(previous, widget);
        }
        previous = widget;
    }
    FitText(this, built);
    for (Follower& follower : m_followers) {
        follower.rect = follower.widget->geometry();
    }
}

void TemplateDialog::resizeEvent(QResizeEvent* event) {
    // The room gained over the template's size; the controls the template does not
    // mark keep their place.
    const int wider = width() - minimumWidth();
    const int taller = height() - minimumHeight();
    for (const Follower& follower : m_followers) {
        QRect rect = follower.rect;
        const auto has = [&follower](std::uint32_t flag) { return (follower.styles & flag) != 0; };
        rect.setWidth(rect.width() + (has(style::GrowRight) ? wider : 0));
        rect.setHeight(rect.height() + (has(style::GrowDown) ? taller : 0));
        rect.translate(has(style::StickRight) ? wider : 0, has(style::StickBottom) ? taller : 0);
        follower.widget->setGeometry(rect);
    }
    QDialog::resizeEvent(event);
}

void TemplateDialog::showEvent(QShowEvent* event) {
    if (!m_initialised) {
        m_initialised = true;
        if (OnInitDialog()) {
            for (const ControlTemplate& c : m_template.controls) {
                if ((c.styles & style::TabStop) != 0) {
                    if (QWidget* first = FindControl(this, c.id)) {
                        first->setFocus(Qt::TabFocusReason);
                    }
                    break;
                }
            }
        }
    }
    QDialog::showEvent(event);
}

} // namespace drawbook
