#pragma once

#include <optional>

#include <QColor>
#include <QString>

class QWidget;

namespace kelton {

// Every colour choice of the program goes through ChooseColor, so that tests
// can answer it instead of a user.
class IColorDialogs {
public:
    virtual ~IColorDialogs() = default;
    // The chosen colour, or nothing when the user cancelled.
    virtual std::optional<QColor> Choose(QWidget* owner, const QString& title, const QColor& initial) = 0;
};

// Installs the answering service (not owned); nullptr returns to the real
// colour dialog.
void SetColorDialogs(IColorDialogs* dialogs);

// The colour dialog, titled title, starting from initial; nothing after
// cancel. Only opaque colours are offered.
std::optional<QColor> ChooseColor(QWidget* owner, const QString& title, const QColor& initial);

} // namespace kelton
