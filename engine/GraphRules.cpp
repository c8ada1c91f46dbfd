#include "engine/GraphRules.h"

namespace nv {

bool TXGraphFiltersInfo::IsEmpty() const {
  return SourceFilter.Empty() && AudioRender.Empty() && VideoRender.Empty() && GeneralFilters.empty() &&
         AudioFilters.empty() && VideoFilters.empty();
}

}  // namespace nv
