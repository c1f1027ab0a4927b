// Reading the working month's reports from an XML publisher file.
#include "exchange/xml_report_import.h"

#include <cctype>
#include <cstdlib>

#include "core/month.h"
#include "core/strings.h"
#include "core/text_codec.h"
#include "cycle/congregation_view.h"
#include "exchange/import_files.h"
#include "exchange/xml_document.h"

namespace zarim {

namespace {

constexpr const char* kMonthTags[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// The leading whole number of a text ("-3" counts as negative), bounded.
long LeadingNumber(std::string_view text) {
  const std::string_view t = Trim(text);
  size_t i = 0;
  const bool negative = i < t.size() && t[i] == '-';
  if (negative) ++i;
  long v = 0;
  for (; i < t.size() && std::isdigit(static_cast<unsigned char>(t[i])); ++i)
    v = std::min(v * 10 + (t[i] - '0'), 100000L);
  return negative ? -v : v;
}

uint16_t Cell(std::string_view text, long limit) {
  const long v = LeadingNumber(text);
  return static_cast<uint16_t>(v < 0 ? 0 : std::min(v, limit));
}

int QuarterOf(std::string_view hours) {
  if (hours.find("\xC2\xBC") != std::string_view::npos) return 1;  // ¼
  if (hours.find("\xC2\xBD") != std::string_view::npos) return 2;  // ½
  if (hours.find("\xC2\xBE") != std::string_view::npos) return 3;  // ¾
  return 0;
}

const PubRecord* MatchActive(const CZarimDoc& doc, const std::string& first,
                             const std::string& last, long id) {
  for (int rec = 1; rec < doc.count; ++rec) {
    const PubRecord& r = doc.records[static_cast<size_t>(rec)];
    if (r.status != kActive) continue;
    if (FieldText(r.first_name) != first || FieldText(r.last_name) != last) continue;
    if (id > 0 && r.id != id) continue;
    return &r;
  }
  return nullptr;
}

// The working month's element of the current Pub (main position) into in; false when the
// Pub has none for the working month's year, or the working month is not valid.
bool ReadMonth(const CZarimDoc& doc, XmlDocument& xml, IncomingReport& in) {
  const std::optional<MonthCursor> now = CongregationView(doc).WorkingMonth();
  if (!now) return false;
  const int year = 2000 + now->year;
  xml.ResetChildPos();
  while (xml.FindChildElem(kMonthTags[now->month])) {
    if (LeadingNumber(xml.GetChildAttrib("Year")) != year) continue;
    // The month element becomes the main position; its values are its children.
    xml.IntoElem();
    std::string hours_text, pio;
    int code = 0;
    uint16_t studies = 0;
    bool found = false;
    xml.ResetChildPos();
    while (xml.FindChildElem()) {
      const std::string tag = xml.GetChildTagName();
      const std::string data = xml.GetChildData();
      if (tag == "Plcmts") in.activity[kPlacements] = Cell(data, 9999);
      if (tag == "Videos") in.activity[kVideos] = Cell(data, 9999);
      if (tag == "Hours") hours_text = data;
      if (tag == "R.V.s") in.activity[kReturnVisits] = Cell(data, 9999);
      if (tag == "BiSt.") studies = Cell(data, kStudiesMask);
      if (tag == "PioCredit") in.credit = Cell(data, 255);
      if (tag == "Remark") {
        const std::string remark = FromUtf8(Trim(data), doc.language_code);
        in.remark =
            remark.substr(0, std::min<size_t>(remark.size(), sizeof(RemarkEntry::text) - 1));
      }
      if (tag == "Pio") pio = data;
      found = true;
    }
    xml.OutOfElem();
    if (pio.find("ux") != std::string::npos) code = kAuxiliary;
    if (pio.find("eg") != std::string::npos) code = kRegular;
    if (pio.find("pec") != std::string::npos) code = kSpecial;
    in.pioneer = static_cast<uint8_t>(code);
    int hours = Cell(hours_text, 999);
    int quarter = QuarterOf(hours_text);
    bool shared = false;
    // From the new report form on, a publisher's Hours says only whether he shared.
    if (doc.working_serial > doc.switch_serial && code == kPublisher) {
      shared = hours > 0;
      hours = 0;
      quarter = 0;
    }
    shared = shared || hours > 0 || quarter > 0 || studies > 0;
    in.activity[kHours] = static_cast<uint16_t>(hours);
    in.activity[kBibleStudies] =
        static_cast<uint16_t>(studies | (shared ? kSharedBit : 0) | (quarter << kQuarterShift));
    return found;
  }
  return false;
}

}  // namespace

std::optional<std::vector<IncomingReport>> XmlReports(const CZarimDoc& doc, XmlDocument& xml) {
  xml.ResetPos();
  if (!xml.FindElem("PUBLIST")) return std::nullopt;
  xml.IntoElem();
  xml.ResetMainPos();
  if (!xml.FindElem("Count")) return std::nullopt;
  const long count = LeadingNumber(xml.GetData());
  if (count < 1 || count > 299) return std::nullopt;
  xml.ResetMainPos();
  if (!xml.FindElem("Active")) return std::nullopt;
  xml.IntoElem();
  xml.ResetMainPos();
  std::vector<IncomingReport> out;
  bool any_pub = false;
  int seen = 0;
  while (xml.FindElem("Pub") && seen < 1500) {
    ++seen;
    any_pub = true;
    long id = 0;
    std::string first, last;
    xml.ResetChildPos();
    if (xml.FindChildElem("id")) id = std::max(0L, LeadingNumber(xml.GetChildData()));
    xml.ResetChildPos();
    if (xml.FindChildElem("fname")) first = FromUtf8(xml.GetChildData(), doc.language_code);
    xml.ResetChildPos();
    if (xml.FindChildElem("lname")) last = FromUtf8(xml.GetChildData(), doc.language_code);
    if (first.empty() || last.empty()) continue;
    const PubRecord* r = MatchActive(doc, first, last, id);
    if (!r) continue;
    IncomingReport in;
    in.id = r->id;
    in.month = doc.working_month;
    const XmlPosition pos = xml.SavePos();
    const bool found = ReadMonth(doc, xml, in);
    xml.RestorePos(pos);
    if (found) out.push_back(std::move(in));
  }
  if (!any_pub) return std::nullopt;
  return out;
}

std::optional<std::vector<IncomingReport>> LoadXmlReportImport(const CZarimDoc& doc,
                                                               const std::string& path) {
  if (!HasExtension(path, ".xml")) return std::nullopt;
  std::optional<std::vector<IncomingReport>> reports;
  // The engine reads the file bounded and refuses a document type with entities once the
  // text is decoded, whatever its encoding.
  XmlDocument xml(doc.language_code);
  if (xml.Load(path)) reports = XmlReports(doc, xml);
  if (!reports)
    doc.prompter->Tell(xml.Refusal().empty() ? std::string(Str(Sid::kXmlReportsRequiredTags))
                                             : xml.Refusal());
  return reports;
}

}  // namespace zarim
