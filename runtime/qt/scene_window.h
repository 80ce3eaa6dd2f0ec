// The window of one scene, built from its record: child widgets for the
// windowed kinds, everything else painted on the client area. Clicks on
// buttons and labels are handed to the click handler with the item's action.
#pragma once

#include "runtime/scene.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <map>
#include <string_view>

namespace varn::qt {

class SceneWindow : public QWidget {
  public:
    using ClickHandler = std::function<void(SceneId, const ClickAction&)>;
    using PictureLoader = std::function<QImage(PictureId)>;

    SceneWindow(const Scene& scene, const PictureLoader& pictures, ClickHandler onClick,
                std::function<void()> onClose);

    const Scene& Record() const { return scene_; }

    // Label captions are window state: read and written by name.
    bool HasLabel(std::string_view name) const { return captions_.contains(name); }
    QString Caption(std::string_view label) const;
    void SetCaption(std::string_view label, const QString& caption);

    // Gives the focus to the focusable item with the lowest tab index.
    void FocusFirstItem();
    // The topmost label whose rectangle holds the point, if any.
    const SceneItem* LabelAt(const QPoint& point) const;
    // Runs the label's click action, as a click on it does.
    void RunClick(const SceneItem& label) { onClick_(scene_.id, label.action); }

    bool HasBeenShown() const { return hasBeenShown_; }
    void MarkShown() { hasBeenShown_ = true; }
    // Where the window was left, its client area, noted as it is hidden.
    void NoteWhereLeft() { leftAt_ = geometry(); }
    const QRect& WhereLeft() const { return leftAt_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void BuildWidgets(const PictureLoader& pictures);

    const Scene& scene_;
    ClickHandler onClick_;
    std::function<void()> onClose_;
    std::map<std::string_view, QString> captions_;
    std::vector<QWidget*> tabOrder_; // focusable children by increasing tab index
    const SceneItem* pressedLabel_ = nullptr;
    bool hasBeenShown_ = false;
    QRect leftAt_;
};

} // namespace varn::qt
