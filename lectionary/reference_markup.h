#pragma once

// The reference markup of the tree's texts: "[label=target]". One forward
// scan serves every reader: a "[" without a following "=" and "]" is copied
// as it stands and ends the scan, so broken markup can never loop.

#include <QString>

#include <functional>

namespace indikt {

// Every reference replaced by what `link` makes of its label and its
// trimmed target; the text between references copied unchanged.
QString ReplaceReferences(const QString& text, const std::function<QString(const QString& label, const QString& target)>& link);

}  // namespace indikt
