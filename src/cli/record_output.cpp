#include "cli/record_output.h"

#include "cli/json_text.h"

namespace tw::cli {

namespace {

std::string tsvEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
    return out;
}

template <typename... Handlers>
struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
template <typename... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

std::string tsvValue(const FieldValue& value) {
    return std::visit(Overloaded{[](const std::string& s) { return tsvEscape(s); },
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

RecordWriter::RecordWriter(std::ostream& out, OutputFormat format, bool asList)
    : out_(out), format_(format), asList_(asList) {}

RecordWriter::~RecordWriter() {
    if (format_ == OutputFormat::Json && asList_)
        out_ << (written_ == 0 ? "[]\n" : "\n]\n");
    out_.flush();
}

void RecordWriter::write(const std::vector<RecordField>& fields) {
    if (format_ == OutputFormat::Tsv)
        writeTsv(fields);
    else
        writeJson(fields);
    ++written_;
}

void RecordWriter::writeTsv(const std::vector<RecordField>& fields) {
    if (written_ == 0) {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i)
                out_ << '\t';
            if (!fields[i].group.empty())
                out_ << fields[i].group << '.';
            out_ << fields[i].name;
        }
        out_ << '\n';
    }
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i)
            out_ << '\t';
        out_ << tsvValue(fields[i].value);
    }
    out_ << '\n';
}

void RecordWriter::writeJson(const std::vector<RecordField>& fields) {
    if (asList_)
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
    if (!asList_)
        out_ << '\n';
}

}  // namespace tw::cli
