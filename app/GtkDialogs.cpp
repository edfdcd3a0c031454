#include "app/GtkDialogs.h"

#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <cstdio>

#include "app/ModalInput.h"
#include "app/SaveName.h"

namespace {

enum class GtkStatus { Untried, Ready, Unavailable };
GtkStatus gtkStatus = GtkStatus::Untried;
unsigned long parentXWindow = 0;

// Lets GTK finish closing a dialog so that nothing of it stays on screen.
void flushGtkEvents() {
    while (gtk_events_pending())
        gtk_main_iteration();
}

// How often the main window is looked after while a dialog is open.
constexpr guint SERVICE_MS = 40;

gboolean serviceTick(gpointer) {
    serviceMainWindow();
    return G_SOURCE_CONTINUE;
}

// Runs a dialog modally and closes it; the main window repaints meanwhile,
// and what was typed or clicked in it is dropped.
gint runModal(GtkWidget* dialog) {
    return runWhileModal([dialog] {
        const guint service = g_timeout_add(SERVICE_MS, serviceTick, nullptr);
        const gint response = gtk_dialog_run(GTK_DIALOG(dialog));
        g_source_remove(service);
        gtk_widget_destroy(dialog);
        flushGtkEvents();
        return response;
    });
}

// Keeps a dialog above the program's window (a GLUT window, not a GTK one).
void makeTransient(GtkWidget* dialog) {
    gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);
    gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER);
    if (parentXWindow == 0)
        return;
    gtk_widget_realize(dialog);
    GdkDisplay* display = gtk_widget_get_display(dialog);
    if (!GDK_IS_X11_DISPLAY(display))
        return;
    GdkWindow* parent = gdk_x11_window_foreign_new_for_display(display, parentXWindow);
    if (parent == nullptr)
        return;
    gdk_window_set_transient_for(gtk_widget_get_window(dialog), parent);
    g_object_unref(parent);
}

// Keeps the chosen file when the dialog is accepted (it is gone afterwards).
void takeChosenFile(GtkDialog* dialog, gint response, gpointer pathOut) {
    if (response != GTK_RESPONSE_ACCEPT)
        return;
    gchar* chosen = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(dialog));
    if (chosen != nullptr) {
        *static_cast<std::string*>(pathOut) = chosen;
        g_free(chosen);
    }
}

// The chooser inside a file dialog, or null.
GtkWidget* chooserWidget(GtkWidget* widget) {
    if (GTK_IS_FILE_CHOOSER_WIDGET(widget))
        return widget;
    if (!GTK_IS_CONTAINER(widget))
        return nullptr;
    GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
    GtkWidget* found = nullptr;
    for (GList* c = children; c != nullptr && found == nullptr; c = c->next)
        found = chooserWidget(static_cast<GtkWidget*>(c->data));
    g_list_free(children);
    return found;
}

// The Open dialog starts with its location field shown and focused. Left
// to itself, the chooser opens that field on the first key typed and hands
// the key to it before the field exists on screen (GTK then reports a
// critical error and the key may be lost).
void showLocationField(GtkWidget* dialog) {
    GtkWidget* chooser = chooserWidget(dialog);
    if (chooser != nullptr)
        g_signal_emit_by_name(chooser, "location-popup", "");
}

std::string runFileChooser(GtkFileChooserAction action, const char* title, const char* acceptLabel,
                           const std::string& typeName, const std::string& pattern) {
    if (!initializeDialogs())
        return std::string();
    GtkWidget* dialog =
        gtk_file_chooser_dialog_new(title, nullptr, action, "_Cancel", GTK_RESPONSE_CANCEL,
                                    acceptLabel, GTK_RESPONSE_ACCEPT, nullptr);
    GtkFileFilter* filter = gtk_file_filter_new();
    gtk_file_filter_set_name(filter, typeName.c_str());
    gtk_file_filter_add_pattern(filter, caselessPattern(pattern).c_str());
    gtk_file_chooser_add_filter(GTK_FILE_CHOOSER(dialog), filter);
    if (action == GTK_FILE_CHOOSER_ACTION_SAVE)
        gtk_file_chooser_set_do_overwrite_confirmation(GTK_FILE_CHOOSER(dialog), TRUE);
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
    makeTransient(dialog);
    if (action == GTK_FILE_CHOOSER_ACTION_OPEN)
        showLocationField(dialog);

    std::string path;
    g_signal_connect(dialog, "response", G_CALLBACK(takeChosenFile), &path);
    runModal(dialog);
    return path;
}

const char* iconName(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Warning:
        return "dialog-warning";
    case MessageIcon::Error:
        return "dialog-error";
    case MessageIcon::Info:
        return "dialog-information";
    case MessageIcon::Plain:
        return nullptr;
    }
    return nullptr;
}

// GTK 3 message dialogs show no icon of their own any more; the caller asked
// for one.
void addIcon(GtkWidget* dialog, MessageIcon icon) {
    if (!iconName(icon))
        return;
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    GtkWidget* image = gtk_image_new_from_icon_name(iconName(icon), GTK_ICON_SIZE_DIALOG);
    gtk_message_dialog_set_image(GTK_MESSAGE_DIALOG(dialog), image);
    gtk_widget_show(image);
    G_GNUC_END_IGNORE_DEPRECATIONS
}

GtkMessageType messageType(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Warning:
        return GTK_MESSAGE_WARNING;
    case MessageIcon::Error:
        return GTK_MESSAGE_ERROR;
    case MessageIcon::Info:
        return GTK_MESSAGE_INFO;
    case MessageIcon::Plain:
        return GTK_MESSAGE_OTHER;
    }
    return GTK_MESSAGE_OTHER;
}

} // namespace

bool initializeDialogs() {
    if (gtkStatus == GtkStatus::Untried) {
        gdk_set_allowed_backends("x11");
        gtk_disable_setlocale();
        gtkStatus = gtk_init_check(nullptr, nullptr) ? GtkStatus::Ready : GtkStatus::Unavailable;
    }
    return gtkStatus == GtkStatus::Ready;
}

void setDialogParentWindow(unsigned long xWindow) {
    parentXWindow = xWindow;
}

std::string GtkDialogProvider::openFile(const std::string& typeName, const std::string& pattern) {
    return runFileChooser(GTK_FILE_CHOOSER_ACTION_OPEN, "Open", "_Open", typeName, pattern);
}

std::string GtkDialogProvider::saveFile(const std::string& typeName, const std::string& pattern) {
    return runFileChooser(GTK_FILE_CHOOSER_ACTION_SAVE, "Save As", "_Save", typeName, pattern);
}

void showMessageBox(const std::string& text, const std::string& caption, MessageIcon icon) {
    if (!initializeDialogs()) {
        std::printf("%s: %s\n", caption.c_str(), text.c_str());
        std::fflush(stdout);
        return;
    }
    GtkWidget* dialog = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, messageType(icon),
                                               GTK_BUTTONS_OK, "%s", text.c_str());
    gtk_window_set_title(GTK_WINDOW(dialog), caption.c_str());
    addIcon(dialog, icon);
    makeTransient(dialog);
    runModal(dialog);
}

bool askQuestion(const std::string& text, const std::string& caption) {
    if (!initializeDialogs())
        return false;
    GtkWidget* dialog = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, GTK_MESSAGE_QUESTION,
                                               GTK_BUTTONS_YES_NO, "%s", text.c_str());
    gtk_window_set_title(GTK_WINDOW(dialog), caption.c_str());
    // Enter answers no: nothing is replaced or lost by a hasty key.
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_NO);
    makeTransient(dialog);
    return runModal(dialog) == GTK_RESPONSE_YES;
}
