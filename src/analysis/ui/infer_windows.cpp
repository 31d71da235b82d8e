#include "analysis/ui/infer_windows.h"

#include <memory>

#include "analysis/ui/infer_form.h"
#include "core/infer_form_factory.h"
#include "host/ui/shell_windows.h"

namespace kelton {

namespace {

class CInferFormFactory : public IInferFormFactory {
public:
    explicit CInferFormFactory(AppState& app) : m_app(app) {}
    IInferForm* CreateInferForm(int16_t sView, CStat& sStat) override
    {
        return new FInfer(m_app, sView, sStat);
    }

private:
    AppState& m_app;
};

} // namespace

void InstallAnalysisWindows(ShellWindows& windows, AppState& app)
{
    windows.InferForms = std::make_shared<CInferFormFactory>(app);
}

} // namespace kelton
