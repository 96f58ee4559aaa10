// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/id3v2_v22_frames.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace tw::core {

namespace {

using Pair = std::pair<std::string_view, std::string_view>;

constexpr std::array kV22ToV23 = {
    Pair{"BUF", "RBUF"}, Pair{"CNT", "PCNT"}, Pair{"COM", "COMM"}, Pair{"CRA", "AENC"},
    Pair{"EQU", "EQUA"}, Pair{"ETC", "ETCO"}, Pair{"GEO", "GEOB"}, Pair{"IPL", "IPLS"},
    Pair{"LNK", "LINK"}, Pair{"MCI", "MCDI"}, Pair{"MLL", "MLLT"}, Pair{"PIC", "APIC"},
    Pair{"POP", "POPM"}, Pair{"REV", "RVRB"}, Pair{"RVA", "RVAD"}, Pair{"SLT", "SYLT"},
    Pair{"STC", "SYTC"}, Pair{"TAL", "TALB"}, Pair{"TBP", "TBPM"}, Pair{"TCM", "TCOM"},
    Pair{"TCO", "TCON"}, Pair{"TCR", "TCOP"}, Pair{"TDA", "TDAT"}, Pair{"TDY", "TDLY"},
    Pair{"TEN", "TENC"}, Pair{"TFT", "TFLT"}, Pair{"TIM", "TIME"}, Pair{"TKE", "TKEY"},
    Pair{"TLA", "TLAN"}, Pair{"TLE", "TLEN"}, Pair{"TMT", "TMED"}, Pair{"TOA", "TOPE"},
    Pair{"TOF", "TOFN"}, Pair{"TOL", "TOLY"}, Pair{"TOR", "TORY"}, Pair{"TOT", "TOAL"},
    Pair{"TP1", "TPE1"}, Pair{"TP2", "TPE2"}, Pair{"TP3", "TPE3"}, Pair{"TP4", "TPE4"},
    Pair{"TPA", "TPOS"}, Pair{"TPB", "TPUB"}, Pair{"TRC", "TSRC"}, Pair{"TRD", "TRDA"},
    Pair{"TRK", "TRCK"}, Pair{"TSI", "TSIZ"}, Pair{"TSS", "TSSE"}, Pair{"TT1", "TIT1"},
    Pair{"TT2", "TIT2"}, Pair{"TT3", "TIT3"}, Pair{"TXT", "TEXT"}, Pair{"TXX", "TXXX"},
    Pair{"TYE", "TYER"}, Pair{"UFI", "UFID"}, Pair{"ULT", "USLT"}, Pair{"WAF", "WOAF"},
    Pair{"WAR", "WOAR"}, Pair{"WAS", "WOAS"}, Pair{"WCM", "WCOM"}, Pair{"WCP", "WCOP"},
    Pair{"WPB", "WPUB"}, Pair{"WXX", "WXXX"},
};

std::string lowerCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// PIC: encoding, a three-letter image format, picture type, description, data. APIC has a
// MIME type, ended by a zero byte, where PIC has the format; "-->" (a link) stays.
std::optional<TagLib::ByteVector> pictureBody(const TagLib::ByteVector& body) {
    if (body.size() < 5)
        return std::nullopt;
    const std::string format(body.data() + 1, 3);
    std::string mime = format == "-->" ? format : "image/" + lowerCase(format);
    if (mime == "image/jpg")
        mime = "image/jpeg";
    TagLib::ByteVector out = body.mid(0, 1);
    out.append(TagLib::ByteVector(mime.data(), static_cast<unsigned int>(mime.size())));
    out.append('\0');
    out.append(body.mid(4));
    return out;
}

// LNK: the id of the linked frame, then the URL and further data.
std::optional<TagLib::ByteVector> linkBody(const TagLib::ByteVector& body) {
    if (body.size() < 3)
        return std::nullopt;
    const std::string_view linked = v23IdOf(std::string_view(body.data(), 3));
    if (linked.empty())
        return std::nullopt;
    TagLib::ByteVector out(linked.data(), static_cast<unsigned int>(linked.size()));
    out.append(body.mid(3));
    return out;
}

}  // namespace

std::string_view v23IdOf(std::string_view v22Id) {
    const auto found = std::find_if(kV22ToV23.begin(), kV22ToV23.end(),
                                    [&](const Pair& pair) { return pair.first == v22Id; });
    return found == kV22ToV23.end() ? std::string_view() : found->second;
}

std::optional<TagLib::ByteVector> upgradeV22Frame(const Id3v2RawFrame& frame) {
    const std::string_view id = v23IdOf(frame.id);
    if (id.empty())
        return std::nullopt;
    std::optional<TagLib::ByteVector> body = frame.body();
    if (id == "APIC")
        body = pictureBody(*body);
    else if (id == "LINK")
        body = linkBody(*body);
    if (!body)
        return std::nullopt;
    TagLib::ByteVector out(id.data(), static_cast<unsigned int>(id.size()));
    out.append(TagLib::ByteVector::fromUInt(body->size()));
    out.append(TagLib::ByteVector(2, '\0'));
    out.append(*body);
    return out;
}

}  // namespace tw::core
