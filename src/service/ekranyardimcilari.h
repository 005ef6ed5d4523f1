#pragma once

#include <QFont>
#include <QValidator>

namespace zelvora {

// The screens' fonts by the names the program was drawn with; where Tahoma or
// Arial is not installed the free fonts with close metrics stand in.
QFont tahoma(int pixels, bool bold = false);
QFont arial(int pixels, bool bold = false);

// Upper-case input, typed or pasted, the way the program's edit boxes
// convert it (user names, passwords, search texts).
class BuyukHarf final : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override;
};

} // namespace zelvora
