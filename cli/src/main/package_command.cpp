#include "main/package_command.hpp"

#include "catalogue/product.hpp"
#include "catalogue/registry_locations.hpp"
#include "main/compile.hpp"
#include "main/target.hpp"
#include "win/directory.hpp"
#include "win/path.hpp"
#include "win/registry_edit_lock.hpp"
#include "win/registry_key.hpp"
#include "win/utf.hpp"

namespace kestrune::cli {
namespace {

// The registry names a package by its path's display text.
std::wstring value_name(std::wstring_view bpl_path) { return win::to_wide(win::to_utf8(bpl_path)); }

std::string no_packages_for_platform(catalogue::Platform platform) {
    return "the current IDE does not support " + std::string(catalogue::name(platform)) + " design-time packages";
}

// The one IDE whose package list is edited: the one the global options pick, else the only one
// installed.
std::expected<catalogue::Architecture, CommandError> package_ide_architecture(const catalogue::Installation& installation,
                                                                              const GlobalOptions& options) {
    const auto chosen = choose_ide_architectures(installation, options, no_packages_for_platform);
    if (!chosen) return std::unexpected(chosen.error());
    // Only without --architecture and --platform can none or both be left.
    if (chosen->size() != 1) return std::unexpected(CommandError{"IDE architecture must be specified", {}});
    return chosen->front();
}

// One edit of the IDE's Known Packages, under the registry edit lock.
template <typename Edit>
win::RegistryResult<void> edit_known_packages(const catalogue::Installation& installation,
                                              catalogue::Architecture ide_architecture, Edit edit) {
    const auto key = catalogue::known_packages_key(installation, ide_architecture);
    if (!key) return std::unexpected(key.error());
    const auto lock = win::RegistryEditLock::acquire();
    if (!lock) return std::unexpected(lock.error());
    return edit(key->get());
}

// Registers a package file with the IDE, for register and for the package that compile --install
// has just built: a REG_SZ value named by the path, holding the description.
win::RegistryResult<void> register_package(const catalogue::Installation& installation, catalogue::Architecture ide_architecture,
                                           std::wstring_view bpl_path, std::string_view description) {
    return edit_known_packages(installation, ide_architecture, [&](HKEY key) {
        return win::write_string_value(key, value_name(bpl_path), win::to_wide(description), false);
    });
}

// Removes a registration; one that does not exist counts as removed.
win::RegistryResult<void> unregister_package(const catalogue::Installation& installation, catalogue::Architecture ide_architecture,
                                             std::wstring_view bpl_path) {
    return edit_known_packages(installation, ide_architecture,
                               [&](HKEY key) { return win::delete_value(key, value_name(bpl_path)); });
}

// A compiler that fails leaves no package worth registering: its exit code ends the command.
std::expected<std::uint32_t, CommandError> compile_package(const catalogue::Installation& installation,
                                                   std::optional<catalogue::Architecture> tool_architecture,
                                                   const PackageCompile& compile, catalogue::Architecture architecture,
                                                   Output& out) {
    const catalogue::Tool tool = architecture == catalogue::Architecture::x64 ? catalogue::Tool::DCC64 : catalogue::Tool::DCC32;
    const auto compiled = run_compile(installation, tool_architecture, tool, compile.options, out);
    if (!compiled || *compiled != 0) return compiled;

    // The parser lets --install through only with an output directory.
    const auto& output_dir = compile.options.package_bpl_output_dir;
    if (!compile.install || !output_dir) return 0;
    const auto current = win::current_directory();
    if (!current) return std::unexpected(command_error(current.error()));
    const auto source = read_package_source(compile.options.file);
    if (!source) return std::unexpected(command_error(source.error()));
    const auto path = package_bpl_path(*current, win::to_wide(*output_dir), compile.options.file,
                                       win::to_wide(source->lib_prefix), win::to_wide(package_lib_suffix(*source, installation)));
    if (!path) return 0;  // a source without a stem names no package
    // The name comes from lines whose conditions are not evaluated: a guess the compiler did not
    // follow must not register a file the IDE cannot load.
    if (!win::path_exists(*path))
        return std::unexpected(
            CommandError{"the compiled package " + win::to_utf8(*path) + " does not exist; nothing was registered", {}});
    if (auto registered = register_package(installation, architecture, *path, source->description); !registered)
        return std::unexpected(command_error(registered.error()));
    return 0;
}

}  // namespace

std::optional<std::wstring> package_bpl_path(std::wstring_view current_dir, std::wstring_view output_dir,
                                             std::wstring_view source, std::wstring_view prefix, std::wstring_view suffix) {
    const std::wstring_view stem = win::file_stem(source);
    if (stem.empty()) return std::nullopt;
    // The compiler names the package after the whole stem, so Pkg.Design.dpk builds Pkg.Design.bpl.
    const std::wstring name = std::wstring(prefix) + std::wstring(stem) + std::wstring(suffix) + L".bpl";
    return win::resolve_path(win::resolve_path(current_dir, output_dir), name);
}

std::string package_lib_suffix(const PackageSource& source, const catalogue::Installation& installation) {
    if (!source.auto_suffix) return source.lib_suffix;
    const std::uint32_t number = catalogue::package_version_number(installation);
    return number == 0 ? std::string() : std::to_string(number);
}

std::expected<std::uint32_t, CommandError> run_package_command(const PackageCommands& command, App& app, Output& out) {
    const catalogue::Installation& installation = resolve_installation(app);
    const auto architecture = package_ide_architecture(installation, app.global_options);
    if (!architecture) return std::unexpected(architecture.error());
    if (const auto* compile = std::get_if<PackageCompile>(&command))
        return compile_package(installation, app.global_options.architecture, *compile, *architecture, out);
    win::RegistryResult<void> done;
    if (const auto* registration = std::get_if<PackageRegister>(&command))
        done = register_package(installation, *architecture, registration->bpl_path, registration->description);
    else
        done = unregister_package(installation, *architecture, std::get<PackageUnregister>(command).bpl_path);
    if (!done) return std::unexpected(command_error(done.error()));
    return 0;
}

}  // namespace kestrune::cli
