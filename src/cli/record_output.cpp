#include "cli/record_output.h"

#include "cli/json_text.h"
#include "cli/tsv_text.h"

namespace tw::cli {

namespace {

template <typename... Handlers>
struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
template <typename... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

std::string tsvValue(const FieldValue& value) {
    return std::visit(Overloaded{[](const std::string& s) { return tsvField(s); },
                                 [](std::int64_t n) { return std::to_string(n); },
                                 [](bool b) { return std::string(b ? "1" : "0"); }},
                      value);
}

std::string jsonValue(const FieldValue& value) {
    return std::visit(Overloaded{[](const std::string& s) { return jsonQuote(s); },
                                 [](std::int64_t n) { return std::to_string(n); },
                                 [](bool b) { return std::string(b ? "true" : "false"); }},
                      value);
}

}  // namespace

RecordWriter::RecordWriter(std::ostream& out, OutputFormat format, Layout layout)
    : out_(out), format_(format), layout_(layout) {
    if (format_ != OutputFormat::Tsv)
        return;
    const auto columns = describeRecord(core::AudioFile{}, layout_.withInfoText);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i)
            out_ << '\t';
        if (!columns[i].group.empty())
            out_ << columns[i].group << '.';
        out_ << columns[i].name;
    }
    out_ << '\n';
}

RecordWriter::~RecordWriter() {
    if (format_ == OutputFormat::Json && layout_.asList)
        out_ << (written_ == 0 ? "[]\n" : "\n]\n");
    out_.flush();
}

void RecordWriter::write(const core::AudioFile& file) {
    const auto fields = describeRecord(file, layout_.withInfoText);
    if (format_ == OutputFormat::Json) {
        writeJson(fields);
    } else {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i)
                out_ << '\t';
            out_ << tsvValue(fields[i].value);
        }
        out_ << '\n';
    }
    ++written_;
}

void RecordWriter::writeJson(const std::vector<RecordField>& fields) {
    if (layout_.asList)
        out_ << (written_ == 0 ? "[\n" : ",\n");
    out_ << '{';
    std::string_view openGroup;
    bool firstOuter = true;
    bool firstInner = true;
    for (const RecordField& field : fields) {
        if (field.group != openGroup) {
            if (!openGroup.empty())
                out_ << '}';
            if (!field.group.empty()) {
                out_ << (firstOuter ? "" : ",") << jsonQuote(field.group) << ":{";
                firstOuter = false;
                firstInner = true;
            }
            openGroup = field.group;
        }
        bool& first = openGroup.empty() ? firstOuter : firstInner;
        out_ << (first ? "" : ",") << jsonQuote(field.name) << ':' << jsonValue(field.value);
        first = false;
    }
    if (!openGroup.empty())
        out_ << '}';
    out_ << '}';
    if (!layout_.asList)
        out_ << '\n';
}

}  // namespace tw::cli
