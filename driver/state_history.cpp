#include "driver/state_history.h"

#include <algorithm>

namespace vapomet {

void StateHistory::add(std::vector<HistoryEntry> entries) {
    const std::size_t added = entries.size();
    for (HistoryEntry& entry : entries) entries_.push_back(std::move(entry));
    emit changed(added);
}

void StateHistory::remove(std::vector<std::size_t> indices) {
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    for (auto index = indices.rbegin(); index != indices.rend(); ++index)
        if (*index < entries_.size()) entries_.erase(entries_.begin() + static_cast<long>(*index));
    emit changed(0);
}

}  // namespace vapomet
