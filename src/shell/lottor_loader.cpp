#include "shell/lottor_loader.h"

namespace kelton {

namespace {
LottorLoader& Loader()
{
    static LottorLoader loader;
    return loader;
}
} // namespace

void SetLottorLoader(LottorLoader loader)
{
    Loader() = std::move(loader);
}

const LottorLoader& GetLottorLoader()
{
    return Loader();
}

} // namespace kelton
