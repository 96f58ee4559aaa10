// SPDX-License-Identifier: GPL-2.0-or-later
#include "base/message.h"

#include "base/format.h"
#include "base/language.h"
#include "base/string_ids.h"

namespace tw::base {

std::string worded(const Message& message) {
    if (message.id_ == 0)
        return message.args_.empty() ? std::string()
                                     : std::get<std::string>(message.args_.front().value());
    if (message.args_.empty())
        return tr(message.id_);
    // Format arguments view their texts, so the worded inner messages are kept until then.
    std::vector<std::string> inner;
    inner.reserve(message.args_.size());
    std::vector<FormatArg> args;
    for (const Message::Arg& arg : message.args_) {
        if (const auto* text = std::get_if<std::string>(&arg.value()))
            args.emplace_back(*text);
        else if (const auto* number = std::get_if<std::int64_t>(&arg.value()))
            args.emplace_back(*number);
        else
            args.emplace_back(inner.emplace_back(worded(std::get<Message>(arg.value()))));
    }
    LangString text;
    return text.LoadFormat(message.id_, FormatArgs(args));
}

std::string withReason(std::string text, const Message& reason) {
    return text + trf(ids::kMsgReasonBelow, worded(reason));
}

}  // namespace tw::base
