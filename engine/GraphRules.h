#pragma once
// The graph building rules: which DirectShow filters build the graph for a class of media (by protocol and file
// extension). A rule has a normal filter set, tried first, and a fail-safe set for a second attempt; one set of
// common filters applies to every graph. Matching is in RuleMatching.h, storage in GraphRuleStore.h.
#include <cstdint>
#include <string>
#include <vector>

#include "support/Guid.h"

namespace nv {

// An optional CLSID: empty, or one class. The null GUID is the empty value, so storing it empties the CLSID.
class TXCLSID {
public:
  constexpr TXCLSID() = default;
  constexpr TXCLSID(const Guid& clsid) : clsid_(clsid) {}

  constexpr bool Empty() const { return clsid_.IsNull(); }
  // The null GUID when empty.
  constexpr const Guid& Get() const { return clsid_; }
  void Clear() { clsid_ = Guid(); }

  constexpr bool operator==(const TXCLSID&) const = default;

private:
  Guid clsid_;
};

// Classes in order.
using TXCLSIDList = std::vector<Guid>;
// Alternative filter sets, tried in order.
using TFilterCLSIDSets = std::vector<TXCLSIDList>;

// One filter set: what builds the graph in one attempt.
struct TXGraphFiltersInfo {
  TXCLSID SourceFilter;      // empty: DirectShow's default source for the file (the CD source for CD tracks)
  std::string SourceParams;  // parameter text for the source filter (the Winamp source's plug-in)
  TXCLSID AudioRender;       // empty: the common one, else DirectSound
  TXCLSID VideoRender;       // empty: the common one, else chosen by the video render type
  TXCLSIDList GeneralFilters;  // added right after the source
  TXCLSIDList AudioFilters;    // added before each decoded audio stream is rendered to PCM
  TXCLSIDList VideoFilters;    // added before each decoded video stream is rendered

  // No CLSID and no list entry; the source parameters do not count.
  bool IsEmpty() const;
  bool operator==(const TXGraphFiltersInfo&) const = default;
};

// One rule.
struct TXFileGraphInfo {
  std::int32_t Number = 0;  // a standard rule's number in the product profile; 0 for a user rule
  std::string Extensions;   // the media the rule applies to (RuleExtensions.h)
  // When the normal set fails and the fail-safe set is empty, try DirectShow's default graph once.
  bool TryStandardGraph = true;
  TXGraphFiltersInfo Normal;
  TXGraphFiltersInfo FailSafe;

  bool IsStandard() const { return Number > 0; }
  bool operator==(const TXFileGraphInfo&) const = default;
};

// The rules in the order they are matched (earlier rules win ties): user rules, then the enabled standard rules.
using TXFileGraphInfos = std::vector<TXFileGraphInfo>;

// The filters every graph gets.
struct TXCommonFilters {
  TXCLSID AudioRender;
  TXCLSID VideoRender;
  TXCLSIDList GeneralFilters;
  TXCLSIDList AudioFilters;
  TXCLSIDList VideoFilters;

  bool operator==(const TXCommonFilters&) const = default;
};

// Which of the player's own CD sources reads a CD audio track.
enum TXCDSourceKind : std::uint8_t {
  ckNone = 0,
  ckDigital = 1,  // the digital reader
  ckMCI = 2,      // the drive plays the track under MCI control
};

// The filters of one building attempt, as ApplyRule makes them from a rule and the common filters.
struct TXPlayerGraphInfo : TXGraphFiltersInfo {
  // This attempt uses the rule's fail-safe filters, or no further attempt follows it.
  bool FailSafe = false;
  TXCDSourceKind CDSource = ckNone;

  bool operator==(const TXPlayerGraphInfo&) const = default;
};

}  // namespace nv
