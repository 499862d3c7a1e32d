#include "cli/Commands.h"
#include <algorithm>

namespace kv::cli {

const std::vector<Command>& commands() {
    static const std::vector<Command> list{
        {QStringLiteral("init"), QStringLiteral("DIR --year YEAR [--admin-password P] [--demo] [--server HOST]"),
         QStringLiteral("create a firm's data folder: MAIN.FDB, AC.FDB and AC<YEAR>.FDB"),
         QStringLiteral(
             "Creates the system database MAIN.FDB, the year template AC.FDB and the first year\n"
             "database AC<YEAR>.FDB in DIR, with the firm and branch rows, the year and the\n"
             "administrator \"<المشرف>\" holding every right. Refuses, changing nothing, when any of\n"
             "the three files exists. Prints the four lines of AcDb.txt that point at the folder.\n"
             "Without --admin-password the password is asked for on the terminal (not echoed);\n"
             "when stdin is not a terminal the option is required."),
         {{QStringLiteral("year"), QStringLiteral("YEAR"), QStringLiteral("first fiscal year, Gregorian (2026) or Hijri (1447)")},
          {QStringLiteral("admin-password"), QStringLiteral("P"), QStringLiteral("password of \"<المشرف>\", 1 to 6 characters")},
          {QStringLiteral("demo"), QString(), QStringLiteral("fill a demo firm with an operator")},
          {QStringLiteral("server"), QStringLiteral("HOST"),
           QStringLiteral("create the files through this server (host or host/port); DIR is then the path on the server")}},
         false, runInit},
        {QStringLiteral("years"), QString(), QStringLiteral("list the firm's fiscal years, oldest first"),
         QStringLiteral("Prints YEARS.CYEAR of the system database, one year a line."), {}, true, runYears},
        {QStringLiteral("import"), QStringLiteral("items|accounts FILE"),
         QStringLiteral("load items or accounts from a CSV file into the year database"),
         QStringLiteral(
             "Reads a CSV file (UTF-8, comma separated, a header row naming the columns by their\n"
             "table names) and adds its rows to STOCK (items) or ACCT (accounts) of the year.\n"
             "Items need ITEMNO and DESCR; further columns: DESCE, PARTNO, UNIT, UNITE, SUBUNIT,\n"
             "SUBUNITE, QUNITS, ARTNO, UPRICE, UPRICE2, UPRICEC, UPRICE2C, UCOST, MINSTOCK,\n"
             "LOCATION, EDATE, MFRID, MARKUP. Accounts need ACCTNAME and MACTNO; an empty or\n"
             "missing ACCTNO takes the next number under the main account (main account + 4\n"
             "digits), and ACCTTYPE comes from the main account. Numbers use '.' as the point,\n"
             "dates yyyy-mm-dd or dd/mm/yyyy.\n"
             "Every row is checked first (required columns, numbers, dates, lengths, unknown group,\n"
             "main account, salesman or manufacturer, duplicates in the file and in the table);\n"
             "each bad row is reported as FILE:LINE: reason, the header being line 1, and then\n"
             "nothing is imported. Otherwise all rows are written in one transaction."),
         {}, true, runImport},
        {QStringLiteral("export"), QStringLiteral("items|accounts FILE"),
         QStringLiteral("write the items or accounts of the year to a CSV file"),
         QStringLiteral("Writes every item (or account) with the columns import reads, in the same format."),
         {}, true, runExport},
        {QStringLiteral("print"), QStringLiteral("sales-invoice NUMBER --pdf FILE"),
         QStringLiteral("print a saved sales invoice to a PDF file"),
         QStringLiteral(
             "Lays out sales invoice NUMBER of the year as the tax invoice with its QR code, in the\n"
             "layout the firm's SELFORM chooses (0 the compact layout, 1 the electronic-invoice\n"
             "layout), with the margins of the user's print settings, and writes it to FILE.\n"
             "Needs no display."),
         {{QStringLiteral("pdf"), QStringLiteral("FILE"), QStringLiteral("the PDF file to write")}},
         true, runPrint},
    };
    return list;
}

namespace {

const Command* findCommand(const QString& name) {
    for (const Command& c : commands())
        if (c.name == name) return &c;
    return nullptr;
}

void printOptions(QTextStream& s, const std::vector<OptionSpec>& specs) {
    for (const OptionSpec& o : specs) {
        QString head = QStringLiteral("  --") + o.name;
        if (!o.valueName.isEmpty()) head += QLatin1Char(' ') + o.valueName;
        s << head.leftJustified(24) << ' ' << o.help << '\n';
    }
}

void printEnvironment(QTextStream& s) {
    s << "Environment:\n"
         "  KV_CONFIG_DIR            folder of AcDb.txt (read when --data is not given)\n"
         "  ISC_USER, ISC_PASSWORD   database login instead of SYSDBA and the program's password\n";
}

void printCommandHelp(QTextStream& s, const Command& c) {
    s << "Usage: kvadmin " << c.name;
    if (!c.synopsis.isEmpty()) s << ' ' << c.synopsis;
    if (c.databaseOptions) s << " [--data DIR] [--server HOST] [--year YEAR]";
    s << "\n\n" << c.details << "\n";
    if (!c.options.empty()) {
        s << "\nOptions:\n";
        printOptions(s, c.options);
    }
    if (c.databaseOptions) {
        s << "\nDatabase options:\n";
        printOptions(s, databaseOptions());
    }
    s << '\n';
    printEnvironment(s);
}

void printHelp(QTextStream& s) {
    s << "Usage: kvadmin COMMAND [ARGUMENTS] [OPTIONS]\n"
         "Administration of the stock-control data folders.\n\n"
         "Commands:\n";
    for (const Command& c : commands()) {
        QString line = QStringLiteral("  ") + c.name;
        if (!c.synopsis.isEmpty()) line += QLatin1Char(' ') + c.synopsis;
        s << line << "\n      " << c.summary << '\n';
    }
    s << "  help [COMMAND]\n      this text, or the details of one command\n";
    s << "\nDatabase options (commands that work on an existing data folder):\n";
    printOptions(s, databaseOptions());
    s << "Without --data the paths come from AcDb.txt, the file the program itself reads.\n\n";
    printEnvironment(s);
    s << "\nExit status: 0 success, 1 failure, 2 wrong usage.\n";
}

} // namespace

int run(const QStringList& args, Io& io) {
    try {
        if (args.isEmpty()) {
            printHelp(io.err);
            return 2;
        }
        const QString& name = args.first();
        if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
            printHelp(io.out);
            return 0;
        }
        if (name == QLatin1String("help")) {
            if (args.size() < 2) {
                printHelp(io.out);
                return 0;
            }
            const Command* c = findCommand(args[1]);
            if (!c) throw usageError(QStringLiteral("unknown command \"%1\" (see kvadmin --help)").arg(args[1]));
            printCommandHelp(io.out, *c);
            return 0;
        }
        const Command* c = findCommand(name);
        if (!c) throw usageError(QStringLiteral("unknown command \"%1\" (see kvadmin --help)").arg(name));
        std::vector<OptionSpec> specs = c->options;
        if (c->databaseOptions)
            for (const OptionSpec& o : databaseOptions())
                if (std::none_of(specs.begin(), specs.end(), [&](const OptionSpec& s) { return s.name == o.name; }))
                    specs.push_back(o);
        const Args parsed = parseArgs(args.mid(1), specs);
        if (parsed.switches.contains(QStringLiteral("help"))) {
            printCommandHelp(io.out, *c);
            return 0;
        }
        return c->run(parsed, io);
    } catch (const CliError& e) {
        io.err << "kvadmin: " << e.message() << '\n';
        return e.status();
    } catch (const db::DbError& e) {
        io.err << "kvadmin: " << e.text() << '\n';
        return 1;
    } catch (const std::exception& e) {
        io.err << "kvadmin: " << e.what() << '\n';
        return 1;
    }
}

} // namespace kv::cli
