#include "data/infer_form_factory.h"

namespace kelton {

namespace {
IInferFormFactory* g_factory = nullptr;
}

void SetInferFormFactory(IInferFormFactory* factory)
{
    g_factory = factory;
}

IInferFormFactory* InferFormFactory()
{
    return g_factory;
}

} // namespace kelton
