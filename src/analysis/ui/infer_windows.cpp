#include "analysis/ui/infer_windows.h"

#include <memory>

#include "analysis/ui/infer_form.h"
#include "core/infer_form_factory.h"
#include "host/ui/shell_windows.h"

namespace kelton {

namespace {

class CInferFormFactory : public IInferFormFactory {
public:
    IInferForm* CreateInferForm(int16_t sView, CStat& sStat) override { return new FInfer(sView, sStat); }
};

} // namespace

void InstallAnalysisWindows(ShellWindows& windows)
{
    windows.InferForms = std::make_shared<CInferFormFactory>();
}

} // namespace kelton
