/* The C interface of the installer module (libKvrInstall). The installer, or the small
 * host program that plays its part, calls Commit after an installation and Uninstall
 * during a removal. Each takes the running installation as a table of the five installer
 * functions it uses and, optionally, a message box; every text is CP932. */
#ifndef KVR_INSTALL_KVRINSTALL_H
#define KVR_INSTALL_KVRINSTALL_H

#ifdef __cplusplus
extern "C" {
#endif

typedef unsigned long KvrInstallHandle;

#define KVR_INSTALL_SUCCESS 0u
#define KVR_INSTALL_USER_EXIT 1602u
#define KVR_INSTALL_FAILURE 1603u
#define KVR_INSTALL_MORE_DATA 234u
#define KVR_INSTALLMESSAGE_ERROR 0x01000000u

struct KvrInstaller
{
    void *context; /* handed back to every function below */
    /* Reads a property into value; *size holds the buffer's size and receives the text's
     * length. 0 on success, KVR_INSTALL_MORE_DATA when the text was cut to fit. */
    unsigned (*getProperty)(void *context, const char *name, char *value, unsigned long *size);
    KvrInstallHandle (*createRecord)(void *context, unsigned fieldCount);
    unsigned (*recordSetString)(void *context, KvrInstallHandle record, unsigned field,
                                const char *value);
    int (*processMessage)(void *context, unsigned messageType, KvrInstallHandle record);
    unsigned (*closeHandle)(void *context, KvrInstallHandle handle);
    /* Optional: shows a box with the message-box style flags (OK 0, YES/NO/CANCEL 3,
     * YES/NO 4, second default button 0x100) and returns the button (OK 1, CANCEL 2,
     * YES 6, NO 7). Without it every box takes its default button. */
    int (*messageBox)(void *context, const char *text, const char *caption, unsigned type);
};

typedef unsigned (*KvrInstallAction)(struct KvrInstaller *installer);

unsigned Commit(struct KvrInstaller *installer);
unsigned Uninstall(struct KvrInstaller *installer);

#ifdef __cplusplus
}
#endif

#endif
