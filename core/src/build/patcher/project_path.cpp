#include "build/patcher/project_path.hpp"

#include "win/path.hpp"

namespace kestrune::build::patcher {

std::wstring ProjectPath::effective_path() const {
    if (!base_dir) return path;
    return win::resolve_path(*base_dir, path);
}

}  // namespace kestrune::build::patcher
