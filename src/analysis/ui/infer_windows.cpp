#include "analysis/ui/infer_windows.h"

#include "analysis/ui/infer_form.h"
#include "core/infer_form_factory.h"
#include "platform/services.h"

namespace kelton {

namespace {

class CInferFormFactory : public IInferFormFactory {
public:
    IInferForm* CreateInferForm(int16_t sView, CStat& sStat) override { return new FInfer(sView, sStat); }
};

} // namespace

void InstallAnalysisWindows()
{
    static CInferFormFactory factory;
    InstallService<IInferFormFactory>(&factory);
}

} // namespace kelton
