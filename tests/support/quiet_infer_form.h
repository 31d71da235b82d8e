#pragma once

#include <cstdint>

#include <QString>

#include "core/child_forms.h"

namespace kelton::test {

// An analysis window that is never on screen and ignores every call; tests
// derive from it to note the calls they check.
class QuietInferForm : public IInferForm {
public:
    QString Name() const override { return QStringLiteral("FInfer"); }
    QString Caption() const override { return QString(); }
    void ShowForm() override {}
    bool Visible() const override { return false; }
    void SetVisible(bool) override {}
    void SetFocus() override {}
    void Unload() override {}
    bool FormOpen() const override { return true; }
};

} // namespace kelton::test
