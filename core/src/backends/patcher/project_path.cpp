#include "backends/patcher/project_path.hpp"

#include <utility>

#include "win/path.hpp"

namespace kestrune::backends::patcher {

ProjectPath::ProjectPath(std::wstring path, const std::optional<std::wstring>& base_dir)
    : path_(std::move(path)), effective_(base_dir ? win::resolve_path(*base_dir, path_) : path_) {}

}  // namespace kestrune::backends::patcher
