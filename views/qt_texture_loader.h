// Pictures decoded with QImage: BMP, PNG and (through the image-formats
// plugins) TGA, keeping the alpha channel where the file has one.
#pragma once

#include "texture_cache.h"

namespace ampera {

class CQtTextureLoader : public ITextureLoader {
  public:
    std::shared_ptr<CTextureImage> Load(const std::string& path) override;
};

} // namespace ampera
