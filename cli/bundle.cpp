#include "cli/bundle.h"

#include <sys/utsname.h>
#include <zlib.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "cli/backupfile.h"
#include "link/factory.h"
#include "link/tracemask.h"
#include "opal/version.h"
#include "service/journalstore.h"
#include "virtualport/printerports.h"

namespace opal::cli {
namespace {

constexpr std::size_t kBlock = 512;
constexpr std::size_t kJournalEntries = 50;

void Octal(std::array<char, kBlock>& header, std::size_t at, std::size_t width, uint64_t value) {
  std::snprintf(header.data() + at, width, "%0*llo", static_cast<int>(width - 1),
                static_cast<unsigned long long>(value));
}

std::array<char, kBlock> Header(const std::string& name, std::size_t size, std::time_t time) {
  std::array<char, kBlock> header{};
  std::memcpy(header.data(), name.data(), std::min<std::size_t>(name.size(), 99));
  Octal(header, 100, 8, 0644);
  Octal(header, 108, 8, 0);
  Octal(header, 116, 8, 0);
  Octal(header, 124, 12, size);
  Octal(header, 136, 12, static_cast<uint64_t>(time));
  header[156] = '0';
  std::memcpy(header.data() + 257, "ustar", 6);
  std::memcpy(header.data() + 263, "00", 2);
  // The checksum counts its own field as blanks.
  std::memset(header.data() + 148, ' ', 8);
  unsigned sum = 0;
  for (const char c : header) sum += static_cast<unsigned char>(c);
  std::snprintf(header.data() + 148, 8, "%06o", sum);
  header[155] = ' ';
  return header;
}

std::vector<uint8_t> Gzip(const std::string& data) {
  z_stream stream{};
  constexpr int kGzipWindow = 15 + 16;
  if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, kGzipWindow, 8, Z_DEFAULT_STRATEGY) !=
      Z_OK) {
    throw std::runtime_error("cannot compress the bundle");
  }
  std::vector<uint8_t> out(deflateBound(&stream, data.size()) + 64);
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  stream.avail_in = static_cast<uInt>(data.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  const int result = deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  if (result != Z_STREAM_END) throw std::runtime_error("cannot compress the bundle");
  return out;
}

std::string SystemText() {
  std::string text;
  utsname system{};
  if (uname(&system) == 0) {
    text += std::string("kernel ") + system.sysname + " " + system.release + " " + system.version +
            " " + system.machine + "\n";
  }
  std::ifstream release("/etc/os-release");
  for (std::string line; std::getline(release, line);) {
    if (line.starts_with("PRETTY_NAME=")) text += "distribution " + line.substr(12) + "\n";
  }
  return text;
}

std::string Masked(const std::string& id) {
  return id.empty() ? id : std::string(id.size(), '*');
}

std::string Hex(uint8_t value) {
  std::array<char, 3> text{};
  std::snprintf(text.data(), text.size(), "%02X", value);
  return text.data();
}

}  // namespace

std::vector<uint8_t> TarGz(const std::vector<ArchivedFile>& files, std::time_t time) {
  std::string tar;
  for (const auto& [name, text] : files) {
    const std::array<char, kBlock> header = Header(name, text.size(), time);
    tar.append(header.data(), header.size());
    tar += text;
    tar.append((kBlock - text.size() % kBlock) % kBlock, '\0');
  }
  tar.append(2 * kBlock, '\0');
  return Gzip(tar);
}

std::string TraceForBundle(const TraceRead& trace) {
  TraceHeader header = trace.header;
  const bool mask = header.ids_kept;
  header.ids_kept = false;
  std::string events;
  TraceMasker masker;
  for (TraceEvent event : trace.events) {
    if (mask) {
      if (event.kind == TraceKind::Sent) masker.Outgoing(event);
      if (event.kind == TraceKind::Received) masker.Incoming(event);
      event.text = masker.Text(event.text);
    }
    events += FormatTraceEvent(event);
  }
  // By now the masker knows the ID a usb-id write on the command line gave.
  if (mask) header.command = masker.Text(header.command);
  return FormatTraceHeader(header) + events;
}

std::string JournalForBundle(const std::filesystem::path& journal_file, std::size_t count) {
  const JournalStore store(journal_file, JournalAccess::Read);
  std::vector<JournalEntry> entries = store.Entries(std::nullopt);
  if (entries.size() > count) entries.erase(entries.begin(), entries.end() - long(count));
  std::ostringstream text;
  if (!store.Problem().empty()) text << "journal: " << store.Problem() << '\n';
  for (const JournalEntry& entry : entries) {
    text << '#' << entry.id << ' ' << entry.time << ' ' << entry.user << ' ' << entry.operation
         << ' ' << entry.state << (entry.failure.empty() ? "" : " (" + entry.failure + ")")
         << "; printer " << entry.printer.model << " USB ID " << Masked(entry.printer.usb_id)
         << " head ID " << entry.printer.head_id << ';';
    for (const JournalChange& change : entry.changes) {
      const bool id =
          change.address >= kUsbIdAddress && change.address < kUsbIdAddress + kUsbIdLength;
      text << ' ' << Hex(change.address) << ' ' << (id ? "**" : Hex(change.before)) << "->"
           << (id ? "**" : Hex(change.after));
    }
    text << '\n';
  }
  return text.str();
}

std::optional<std::string> WriteBundle(const std::filesystem::path& file,
                                       const std::string& findings,
                                       const std::filesystem::path& journal_file) {
  std::vector<ArchivedFile> files{
      {"findings.txt", findings},
      {"versions.txt", "opalctl " OPAL_VERSION "\nopal-service " OPAL_VERSION "\n"},
      {"system.txt", SystemText()},
      {"journal.txt", JournalForBundle(journal_file, kJournalEntries)},
  };
  int number = 0;
  for (const std::filesystem::path& trace : RecentTraces(RecentTracesList(journal_file))) {
    std::string text;
    try {
      text = TraceForBundle(LoadTrace(trace));
    } catch (const std::runtime_error& error) {
      text = std::string("# ") + error.what() + "\n";
    }
    files.push_back({"traces/" + std::to_string(++number) + "-" + trace.filename().string(), text});
  }
  try {
    return SaveFile(file, TarGz(files, std::time(nullptr)));
  } catch (const std::runtime_error& error) {
    return error.what();
  }
}

}  // namespace opal::cli
