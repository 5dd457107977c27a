#include "lookup/database_group.h"

DatabaseGroup DatabaseGroupOf(const QString& code) {
  if (code.size() == 5) return DatabaseGroup::Hanzidata5;
  if (code.size() != 4) return DatabaseGroup::None;
  switch (code.front().unicode()) {
    case u'3':
    case u'4':
      return DatabaseGroup::Hanzidata;
    case u'5':
    case u'6':
      return DatabaseGroup::Hanzidata2;
    case u'7':
    case u'8':
      return DatabaseGroup::Hanzidata3;
    case u'9':
    case u'F':
      return DatabaseGroup::Hanzidata4;
    default:
      return DatabaseGroup::None;
  }
}
