#include "backends/patcher/project_path.hpp"

#include "win/path.hpp"

namespace kestrune::backends::patcher {

std::wstring ProjectPath::effective_path() const {
    if (!base_dir) return path;
    return win::resolve_path(*base_dir, path);
}

}  // namespace kestrune::backends::patcher
