// The comma-separated list form: splitting any text ends, and every list comes
// back item for item from its joined form.
#include "CommaText.h"
#include "FuzzInput.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = UnitsOf(data, size);

    const QStringList items = CommaText::Split(text);
    if (CommaText::Split(CommaText::Join(items)) != items)
        std::abort();

    // The input as a list of its own: items end at each unit 0xFFFF.
    const QStringList list = text.split(QChar(0xFFFF));
    if (CommaText::Split(CommaText::Join(list)) != list)
        std::abort();
    return 0;
}
