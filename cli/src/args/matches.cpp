#include "args/matches.hpp"

namespace kestrune::args {

bool Matches::declares(std::string_view id) const { return values_.find(id) != values_.end(); }

std::optional<bool> Matches::flag(std::string_view id) const {
    const MatchedValue* v = value(id);
    if (!v) return std::nullopt;
    return v->text == "true";
}

const MatchedValue* Matches::value(std::string_view id) const {
    const auto found = values_.find(id);
    if (found == values_.end() || found->second.empty()) return nullptr;
    return &found->second.front();
}

std::optional<std::string> Matches::text(std::string_view id) const {
    const MatchedValue* v = value(id);
    if (!v) return std::nullopt;
    return v->text;
}

std::optional<std::wstring> Matches::os_text(std::string_view id) const {
    const MatchedValue* v = value(id);
    if (!v) return std::nullopt;
    return v->raw;
}

std::optional<std::size_t> Matches::choice(std::string_view id) const {
    const MatchedValue* v = value(id);
    if (!v) return std::nullopt;
    return v->choice;
}

const std::any* Matches::parsed(std::string_view id) const {
    const MatchedValue* v = value(id);
    if (!v || !v->parsed.has_value()) return nullptr;
    return &v->parsed;
}

std::vector<std::string> Matches::texts(std::string_view id) const {
    std::vector<std::string> out;
    if (const auto* all = values(id))
        for (const auto& v : *all) out.push_back(v.text);
    return out;
}

const std::vector<MatchedValue>* Matches::values(std::string_view id) const {
    const auto found = values_.find(id);
    return found == values_.end() ? nullptr : &found->second;
}

void Matches::declare(const std::string& id) { values_.try_emplace(id); }

void Matches::add_value(const std::string& id, MatchedValue value) { values_[id].push_back(std::move(value)); }

void Matches::set_subcommand(std::string name, Matches matches) {
    subcommand_ = std::make_shared<Subcommand>(Subcommand{std::move(name), std::move(matches)});
}

}  // namespace kestrune::args
