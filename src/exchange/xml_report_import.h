// The XML report import: the working month's reports of the active publishers named in
// a publisher file (as the XML export writes it), handed to the selection-and-posting
// form like the reports of a collection file.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/document.h"
#include "exchange/report_import.h"

namespace zarim {

class XmlDocument;

// The reports of the working month in a loaded document; nothing when it lacks PUBLIST,
// a Count of 1 to 299 or an Active list with Pub elements.
std::optional<std::vector<IncomingReport>> XmlReports(const CZarimDoc& doc, XmlDocument& xml);

// Reads the file at path. A name not ending in ".xml" returns nothing silently; a file
// that does not load or lacks the required elements tells the user and returns nothing.
std::optional<std::vector<IncomingReport>> LoadXmlReportImport(const CZarimDoc& doc,
                                                               const std::string& path);

}  // namespace zarim
