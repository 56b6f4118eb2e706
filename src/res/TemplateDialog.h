#pragma once

#include "res/DialogTemplate.h"
#include "res/DialogUnits.h"

#include <QDialog>
#include <QFont>
#include <QRect>

#include <vector>

class QLineEdit;
class QResizeEvent;
class QShowEvent;

namespace drawbook {

// The dialog font: the template's face, then faces that Linux systems have.
QFont DialogFont(const DialogTemplate& dialogTemplate);
DialogUnits DialogUnitsFor(const QFont& font);

// The control with this ID among the dialog's children, or nullptr.
QWidget* FindControl(const QWidget* dialog, int id);

template <class T> T* FindControlAs(const QWidget* dialog, int id) {
    return qobject_cast<T*>(FindControl(dialog, id));
}

// Makes an edit field read-only; it then sits on the dialog's own background.
void SetReadOnly(QLineEdit* edit);

// A dialog whose controls are built from a dialog template.
class TemplateDialog : public QDialog {
    Q_OBJECT

public:
    explicit TemplateDialog(int templateId, QWidget* parent = nullptr);

    const DialogTemplate& Template() const { return m_template; }
    const DialogUnits& Units() const { return m_units; }

    QWidget* Control(int id) const { return FindControl(this, id); }
    template <class T> T* ControlAs(int id) const { return FindControlAs<T>(this, id); }

protected:
    // Runs once, just before the dialog first shows. Returning true puts the
    // focus on the first tab stop.
    virtual bool OnInitDialog() { return true; }

    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // A control that moves or grows with a resizable dialog, and its place at the template's size.
    struct Follower {
        QWidget* widget;
        QRect rect;
        std::uint32_t styles;
    };

    void Build();

    const DialogTemplate& m_template;
    DialogUnits m_units{};
    bool m_initialised = false;
    std::vector<Follower> m_followers;
};

} // namespace drawbook
