#include "ui/panels/node_clipboard.h"

#include "ui/document/project_document.h"
#include "ui/panels/material_operations.h"
#include "ui/panels/node_clip.h"

#include <QClipboard>
#include <QMimeData>

namespace vintrel {

namespace {

const EffectNode* copyableSelection(const GlobalState& g) {
    const EffectNode* node = g.pSelNode;
    if (node == nullptr || node->m_parent == nullptr || node->m_ID == EffectNode::kCameraPositionId ||
        node->m_ID == EffectNode::kCameraTargetId) {
        return nullptr;
    }
    return node;
}

} // namespace

bool copySelectedNode(ProjectDocument& document, QClipboard& clipboard, Notifier& notifier) {
    const EffectNode* selected = copyableSelection(document.state());
    if (selected == nullptr) {
        return false;
    }
    const Result<NodeClip> clip = copyNodeClip(*selected, document.state());
    if (!clip) {
        notifier.show(Notifier::kDefaultCaption, clip.error());
        return false;
    }
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kNodeClipMimeType), encodeNodeClip(*clip));
    data->setText(QString::fromStdString(clip->settingsText));
    clipboard.setMimeData(data);
    return true;
}

bool cutSelectedNode(ProjectDocument& document, QClipboard& clipboard, Notifier& notifier) {
    return copySelectedNode(document, clipboard, notifier) && document.runTreeCommand(TreeEditor::Delete);
}

bool pasteNode(ProjectDocument& document, const QClipboard& clipboard, Notifier& notifier) {
    const QMimeData* data = clipboard.mimeData();
    const QString type = QString::fromLatin1(kNodeClipMimeType);
    if (data == nullptr || !data->hasFormat(type)) {
        return false;
    }
    Result<NodeClip> clip = decodeNodeClip(data->data(type));
    if (!clip) {
        notifier.show(kNodeClipCaption, clip.error());
        return false;
    }
    Result<std::map<std::string, std::string>> renamed = bringClipMaterials(document.state(), *clip);
    if (!renamed) {
        notifier.show(kNodeClipCaption, renamed.error());
        return false;
    }
    if (!clip->materials.empty()) {
        document.changeMaterials([](GlobalState& g) { rebuildMaterials(g); });
    }
    attachClipMaterials(clip->top, *renamed, document.state().materials);
    return document.pasteSubtree(std::move(clip->top));
}

} // namespace vintrel
