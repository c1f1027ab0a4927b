// Scrambling of stored texts: every byte at every position of every scrambled field, and
// the exact set of cases that the stored format cannot give back.
#include "core/scramble.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <tuple>

namespace zarim {
namespace {

struct FieldCase {
  const char* name;
  size_t offset;
  size_t size;
};

const FieldCase kPubFields[] = {{"first_name", 2, 21},     {"last_name", 23, 21},
                                {"address", 44, 63},       {"home_phone", 107, 15},
                                {"mobile_phone", 122, 15}, {"other_phone", 137, 15},
                                {"baptism_date", 152, 9},  {"birth_date", 161, 9}};
const FieldCase kExtFields[] = {{"long_name", 2, 65}, {"email", 67, 51}, {"other", 118, 72}};

using Failure = std::tuple<std::string, size_t, int>;

// Puts text into the field at the given offset of a record image, scrambles it and reads
// it back; true when the text came back unchanged.
template <typename Record, typename Round>
bool RoundTrips(const FieldCase& f, const std::string& text, Round round) {
  Record r{};
  char* field = reinterpret_cast<char*>(&r) + f.offset;
  std::memcpy(field, text.data(), text.size());
  round(r);
  return std::string(field, strnlen(field, f.size)) == text;
}

template <typename Record, typename Round>
std::set<Failure> Failures(const FieldCase* fields, size_t n, Round round) {
  std::set<Failure> out;
  for (size_t k = 0; k < n; ++k) {
    const FieldCase& f = fields[k];
    for (size_t pos = 0; pos + 1 < f.size; ++pos) {
      for (int b = 1; b < 256; ++b) {
        std::string prefix(pos, 'a');
        std::string last = prefix + static_cast<char>(b);
        bool ok = RoundTrips<Record>(f, last, round);
        if (pos + 2 < f.size) ok = ok && RoundTrips<Record>(f, last + "a", round);
        if (!ok) out.insert({f.name, pos, b});
      }
    }
  }
  return out;
}

TEST(Scramble, PublisherFieldsComeBackExceptTheListedCases) {
  auto round = [](PubRecord& r) {
    ScrambleRecord(r, Direction::kScramble, kScrambleBase, false);
    ScrambleRecord(r, Direction::kUnscramble, kScrambleBase, false);
  };
  std::set<Failure> expected;
  // Bytes that scramble to 0xCC in the names and the first 30 bytes of the address.
  for (const char* name : {"first_name", "last_name"})
    for (size_t pos = 0; pos < 20; ++pos) expected.insert({name, pos, static_cast<int>(30 - pos)});
  for (size_t pos = 0; pos < 30; ++pos)
    expected.insert({"address", pos, static_cast<int>(30 - pos)});
  // A last character that scrambles to 0 where the field has no room for the end mark.
  expected.insert({"first_name", 19, '?'});
  expected.insert({"last_name", 19, '?'});
  expected.insert({"address", 61, 0x15});
  for (const char* phone : {"home_phone", "mobile_phone", "other_phone"})
    expected.insert({phone, 13, 'E'});
  expected.insert({"baptism_date", 7, 'K'});
  expected.insert({"birth_date", 7, 'K'});
  EXPECT_EQ(Failures<PubRecord>(kPubFields, std::size(kPubFields), round), expected);
}

TEST(Scramble, ExtensionTextsComeBackExceptTheListedCases) {
  auto round = [](ExtRecord& r) {
    ScrambleExt(r, Direction::kScramble, kScrambleBase);
    ScrambleExt(r, Direction::kUnscramble, kScrambleBase);
  };
  std::set<Failure> expected = {{"long_name", 63, 0x13}, {"email", 49, '!'}, {"other", 70, 0x0C}};
  EXPECT_EQ(Failures<ExtRecord>(kExtFields, std::size(kExtFields), round), expected);
}

TEST(Scramble, NoLetterDigitOrPunctuationIsLostWithinTheEditingLimits) {
  // Names hold at most 18 characters, the address 60; dates hold digits and blanks.
  auto round = [](PubRecord& r) {
    ScrambleRecord(r, Direction::kScramble, kScrambleBase, false);
    ScrambleRecord(r, Direction::kUnscramble, kScrambleBase, false);
  };
  for (const auto& [name, pos, byte] :
       Failures<PubRecord>(kPubFields, std::size(kPubFields), round)) {
    bool is_date = std::string(name).find("date") != std::string::npos;
    bool printable = is_date ? (byte == ' ' || (byte >= '0' && byte <= '9')) : byte >= 0x20;
    bool within_limits = (std::string(name).find("name") != std::string::npos && pos < 18) ||
                         (name == std::string("address") && pos < 60) ||
                         (name.find("date") != std::string::npos && pos < 8);
    EXPECT_FALSE(printable && within_limits) << name << " " << pos << " " << byte;
  }
}

TEST(Scramble, MarkerShowsTheBaseAndTheHeaderKeepsItsStates) {
  PubRecord h{};
  SetField(h.first_name, " ");
  SetField(h.last_name, "A");
  h.other_phone[0] = 1;
  h.other_phone[1] = 0;
  h.other_phone[2] = 2;  // collection states after the (empty) text
  h.other_phone[0] = 0;
  PubRecord copy = h;
  ScrambleRecord(copy, Direction::kScramble, kScrambleBase, true);
  EXPECT_FALSE(IsPlainMarker(copy));
  EXPECT_EQ(BaseFromMarker(copy), kScrambleBase);
  ScrambleRecord(copy, Direction::kUnscramble, BaseFromMarker(copy), true);
  EXPECT_EQ(std::memcmp(&copy, &h, sizeof h), 0);
}

TEST(Scramble, AnotherBaseIsReadFromTheMarker) {
  PubRecord r{};
  SetField(r.last_name, "A");
  SetField(r.address, "12 Rue de l'\xC9glise");
  PubRecord plain = r;
  ScrambleRecord(r, Direction::kScramble, 7, false);
  EXPECT_EQ(BaseFromMarker(r), 7);
  ScrambleRecord(r, Direction::kUnscramble, BaseFromMarker(r), false);
  EXPECT_EQ(FieldText(r.address), FieldText(plain.address));
}

TEST(Scramble, AnotherProgramsTextsEndAtTheirFirstZero) {
  // Another program's table (base 7): bytes left behind a text's end are not text, in a
  // name and in the header's password field; saved again they are gone.
  PubRecord r{};
  SetField(r.last_name, "A");
  ScrambleRecord(r, Direction::kScramble, 7, true);
  auto leftover = [](char* field, const char* text, const char* rest) {
    size_t n = std::strlen(text);
    for (size_t i = 0; i < n; ++i) field[i] = static_cast<char>(text[i] + i + 7);
    field[n] = 0;
    std::memcpy(field + n + 1, rest, std::strlen(rest));
  };
  leftover(r.first_name, " ", "cret1");
  leftover(r.address, "John", "than");
  ScrambleRecord(r, Direction::kUnscramble, BaseFromMarker(r), true);
  EXPECT_EQ(FieldText(r.first_name), " ");
  EXPECT_EQ(FieldText(r.address), "John");
  ScrambleRecord(r, Direction::kScramble, kScrambleBase, true);
  ScrambleRecord(r, Direction::kUnscramble, kScrambleBase, true);
  EXPECT_EQ(FieldText(r.first_name), " ");
  EXPECT_EQ(FieldText(r.address), "John");

  ExtRecord e{};
  leftover(e.long_name, "Jo", "hannes");
  ScrambleExt(e, Direction::kUnscramble, 7);
  EXPECT_EQ(FieldText(e.long_name), "Jo");
}

TEST(Scramble, GroupTextsUndoThemselvesAndNeverMakeAZero) {
  GroupTable g{};
  g.count = 2;
  SetField(g.overseer[0], "Zr9 John Smith");  // bytes equal to the key stay as they are
  SetField(g.location[1], "Kingdom Hall \xCC");
  SetField(g.time[1], "10:00");
  SetField(g.name[5], "beyond the count");
  GroupTable s = g;
  ScrambleGroups(s);
  EXPECT_NE(std::memcmp(&s, &g, sizeof g), 0);
  EXPECT_EQ(FieldText(s.overseer[0]).size(), FieldText(g.overseer[0]).size());
  EXPECT_EQ(FieldText(s.name[5]), "beyond the count");
  ScrambleGroups(s);
  EXPECT_EQ(std::memcmp(&s, &g, sizeof g), 0);
}

}  // namespace
}  // namespace zarim
