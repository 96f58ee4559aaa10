// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/template_parts.h"

namespace tw::exports {

std::optional<TemplateParts> SplitTemplate(std::string_view text) {
    const std::size_t start = text.find(kRecordStart);
    if (start == std::string_view::npos)
        return std::nullopt;
    const std::size_t body = start + kRecordStart.size();
    const std::size_t end = text.find(kRecordEnd, body);
    if (end == std::string_view::npos)
        return std::nullopt;

    TemplateParts parts;
    parts.head = text.substr(0, start);
    parts.record1 = text.substr(body, end - body);
    const std::size_t afterRecord1 = end + kRecordEnd.size();
    parts.tail = text.substr(afterRecord1);

    const std::size_t start2 = text.find(kRecord2Start, afterRecord1);
    if (start2 != std::string_view::npos) {
        const std::size_t body2 = start2 + kRecord2Start.size();
        const std::size_t end2 = text.find(kRecordEnd, body2);
        if (end2 != std::string_view::npos) {
            parts.record2 = text.substr(body2, end2 - body2);
            parts.tail = text.substr(end2 + kRecordEnd.size());
        }
    }
    return parts;
}

}  // namespace tw::exports
