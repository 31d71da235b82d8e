#pragma once

#include <optional>

#include <QColor>
#include <QString>

#include "platform/services.h"

class QWidget;

namespace kelton {

// Every colour choice of the program goes through ChooseColor, so that tests
// can answer it instead of a user: a service (platform/services.h); with none
// installed the real colour dialog asks the user.
class IColorDialogs {
public:
    virtual ~IColorDialogs() = default;
    // The chosen colour, or nothing when the user cancelled.
    virtual std::optional<QColor> Choose(QWidget* owner, const QString& title, const QColor& initial) = 0;
};

// The colour dialog, titled title, starting from initial; nothing after
// cancel. Only opaque colours are offered.
std::optional<QColor> ChooseColor(QWidget* owner, const QString& title, const QColor& initial);

} // namespace kelton
