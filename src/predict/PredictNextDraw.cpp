#include "predict/PredictNextDraw.h"

#include "predict/PredictionQuery.h"
#include "res/Desktop.h"
#include "res/QtText.h"

#include <QLineEdit>

namespace drawbook {

bool PredictNextDraw(Desktop& desktop, Game game, const QString& dbPath, const QString& filter,
                     const std::array<QLineEdit*, 5>& fields, Method method) {
    PredictionResult result;
    {
        WaitCursor wait(desktop);
        result = PredictFromDatabase(dbPath.toStdString(), game, filter.toStdString(), method);
        if (result.status == ReadStatus::Complete) {
            for (std::size_t k = 0; k < fields.size(); ++k) {
                fields[k]->setText(ToQString(result.numbers[k]));
            }
            return true;
        }
    }
    if (result.status == ReadStatus::Interrupted) {
        // The fields keep their numbers; the user learns why nothing changed.
        desktop.ShowMessage(fields[0]->window(), ToQString(kReadInterruptedMessage), Desktop::Icon::Stop);
    }
    return false;
}

} // namespace drawbook
