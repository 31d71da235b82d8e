#include "shell/lottor_loader.h"

#include "data/lottor_data.h"

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

std::optional<LoadedLottor> OpenLottorFile(const QString& sFile, int16_t nViews)
{
    auto data = std::make_shared<CLottorData>();
    if (data->OpenData(nViews, sFile))
        return std::nullopt;
    const CLottorHead& head = data->HeadData;
    return LoadedLottor{data, head.LottorName, head.BM, head.MrMain, head.MrDataName};
}

} // namespace kelton
