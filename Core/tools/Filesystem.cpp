#include "Core/tools/Filesystem.h"

#include "Core/Store/StoreLocation.h"

#include <boost/algorithm/string/predicate.hpp>
#include <boost/algorithm/string/trim.hpp>

#include <filesystem>

namespace Core::Filesystem {

bool checkExtension(const std::string& path, const std::string& extension) {
    return path.size() > extension.size() && boost::algorithm::iends_with(path, extension);
}

std::string getNormalizedTrimmedDir(const std::string& directory) {
    std::filesystem::path path(boost::algorithm::trim_copy(directory));
    if (path.is_relative()) path = Core::Store::directory() / path;
    std::string normal = path.lexically_normal().string();
    if (normal.back() != '/') normal += '/';
    return normal;
}

}  // namespace Core::Filesystem
