-- The data file of the cash book (".kzd"): five tables, the stored query
-- View_出納簿, and what keeps the ledger queries fast.
--
-- Storage conventions:
--  - Dates are ISO text 'YYYY-MM-DD' (a time, when one was given, follows as
--    ' HH:MM:SS'), so text comparison, BETWEEN, MIN and MAX order them as days.
--    Month columns (開始年月, 完済年月) hold the first day of the month.
--  - Yes/No columns hold 1 and 0.
--  - The declared type tells the CSV driver how to write a column: INTEGER,
--    TEXT, DATE or BOOLEAN.
--  - ID is the AutoNumber key: never reused after a delete.
--
-- Layout of this file, read by the program that writes the templates and by
-- the data layer when it opens a file:
--  "-- @table NAME" starts the statements of one table. The first creates the
--    table; the rest (all IF NOT EXISTS) are its support objects, which any file
--    holding the table gets back when they are missing (a trigger on another
--    table only when the file holds that table too).
--  "-- @view NAME: TABLE ..." starts a view, made when the listed tables exist.

-- @table 勘定科目
CREATE TABLE 勘定科目 (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    科目名称 TEXT,
    レベル INTEGER,
    子フラグ INTEGER,
    親科目ID INTEGER,
    仕分けID INTEGER,
    階層番号 TEXT,
    有効開始日使用 BOOLEAN NOT NULL DEFAULT 0,
    有効終了日使用 BOOLEAN NOT NULL DEFAULT 0,
    有効開始日 DATE,
    有効終了日 DATE,
    表示幅 INTEGER,
    印刷幅 INTEGER,
    備考 TEXT
);
CREATE INDEX IF NOT EXISTS 勘定科目_親科目 ON 勘定科目 (親科目ID, 階層番号);
-- 子フラグ says whether an item has children, for every way an item is added,
-- removed or given another parent (the roots included).
CREATE TRIGGER IF NOT EXISTS 勘定科目_子フラグ_追加 AFTER INSERT ON 勘定科目
BEGIN
    UPDATE 勘定科目 SET 子フラグ = 1 WHERE ID = NEW.親科目ID AND 子フラグ IS NOT 1;
END;
CREATE TRIGGER IF NOT EXISTS 勘定科目_子フラグ_削除 AFTER DELETE ON 勘定科目
BEGIN
    UPDATE 勘定科目 SET 子フラグ = 0 WHERE ID = OLD.親科目ID AND 子フラグ IS NOT 0
      AND NOT EXISTS (SELECT 1 FROM 勘定科目 WHERE 親科目ID = OLD.親科目ID);
END;
CREATE TRIGGER IF NOT EXISTS 勘定科目_子フラグ_移動 AFTER UPDATE OF 親科目ID ON 勘定科目
WHEN OLD.親科目ID IS NOT NEW.親科目ID
BEGIN
    UPDATE 勘定科目 SET 子フラグ = 1 WHERE ID = NEW.親科目ID AND 子フラグ IS NOT 1;
    UPDATE 勘定科目 SET 子フラグ = 0 WHERE ID = OLD.親科目ID AND 子フラグ IS NOT 0
      AND NOT EXISTS (SELECT 1 FROM 勘定科目 WHERE 親科目ID = OLD.親科目ID);
END;

-- @table 出納簿
-- An entry's amount stays within the 32-bit range of files of the earlier
-- version; sums are 64-bit.
CREATE TABLE 出納簿 (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    日付 DATE,
    勘定科目ID INTEGER,
    金額 INTEGER CHECK (金額 BETWEEN -2147483648 AND 2147483647),
    取引先ID INTEGER,
    ミクリID INTEGER,
    備考 TEXT
);
-- Day and month totals read only this index.
CREATE INDEX IF NOT EXISTS 出納簿_日付 ON 出納簿 (日付, 勘定科目ID, 金額);
-- Entries of one account item in a period (lists, payments, loans).
CREATE INDEX IF NOT EXISTS 出納簿_科目 ON 出納簿 (勘定科目ID, 日付);
-- Totals per month and account item, kept by the triggers below, so that the
-- carry-over and the totals of whole months do not read every entry.
CREATE TABLE IF NOT EXISTS _月計 (
    月初 DATE NOT NULL,
    勘定科目ID INTEGER NOT NULL,
    合計 INTEGER NOT NULL,
    件数 INTEGER NOT NULL,
    PRIMARY KEY (月初, 勘定科目ID)
) WITHOUT ROWID;
CREATE TRIGGER IF NOT EXISTS 出納簿_月計_追加 AFTER INSERT ON 出納簿
WHEN NEW.日付 IS NOT NULL AND NEW.勘定科目ID IS NOT NULL
BEGIN
    INSERT INTO _月計 VALUES (substr(NEW.日付, 1, 8) || '01', NEW.勘定科目ID, coalesce(NEW.金額, 0), 1)
    ON CONFLICT (月初, 勘定科目ID) DO UPDATE SET 合計 = 合計 + excluded.合計, 件数 = 件数 + 1;
END;
CREATE TRIGGER IF NOT EXISTS 出納簿_月計_削除 AFTER DELETE ON 出納簿
WHEN OLD.日付 IS NOT NULL AND OLD.勘定科目ID IS NOT NULL
BEGIN
    UPDATE _月計 SET 合計 = 合計 - coalesce(OLD.金額, 0), 件数 = 件数 - 1
    WHERE 月初 = substr(OLD.日付, 1, 8) || '01' AND 勘定科目ID = OLD.勘定科目ID;
    DELETE FROM _月計
    WHERE 月初 = substr(OLD.日付, 1, 8) || '01' AND 勘定科目ID = OLD.勘定科目ID AND 件数 <= 0;
END;
CREATE TRIGGER IF NOT EXISTS 出納簿_月計_変更 AFTER UPDATE OF 日付, 勘定科目ID, 金額 ON 出納簿
BEGIN
    UPDATE _月計 SET 合計 = 合計 - coalesce(OLD.金額, 0), 件数 = 件数 - 1
    WHERE OLD.日付 IS NOT NULL AND OLD.勘定科目ID IS NOT NULL
      AND 月初 = substr(OLD.日付, 1, 8) || '01' AND 勘定科目ID = OLD.勘定科目ID;
    DELETE FROM _月計
    WHERE 月初 = substr(OLD.日付, 1, 8) || '01' AND 勘定科目ID = OLD.勘定科目ID AND 件数 <= 0;
    INSERT INTO _月計
    SELECT substr(NEW.日付, 1, 8) || '01', NEW.勘定科目ID, coalesce(NEW.金額, 0), 1
    WHERE NEW.日付 IS NOT NULL AND NEW.勘定科目ID IS NOT NULL
    ON CONFLICT (月初, 勘定科目ID) DO UPDATE SET 合計 = 合計 + excluded.合計, 件数 = 件数 + 1;
END;
-- Running totals per account item: for each month row of _月計, the sum and
-- count of the item's entries up to the end of that month. Kept from the month
-- totals by the triggers below, in the statement that changes an entry, so the
-- carry-over and fiscal-year totals read one row per item instead of a sum
-- over the months.
CREATE TABLE IF NOT EXISTS _累計 (
    勘定科目ID INTEGER NOT NULL,
    月初 DATE NOT NULL,
    合計 INTEGER NOT NULL,
    件数 INTEGER NOT NULL,
    PRIMARY KEY (勘定科目ID, 月初)
) WITHOUT ROWID;
CREATE TRIGGER IF NOT EXISTS _月計_累計_追加 AFTER INSERT ON _月計
BEGIN
    INSERT INTO _累計
    SELECT NEW.勘定科目ID, NEW.月初, coalesce(earlier.合計, 0), coalesce(earlier.件数, 0)
    FROM (SELECT 1) LEFT JOIN (SELECT 合計, 件数 FROM _累計 WHERE 勘定科目ID = NEW.勘定科目ID AND 月初 < NEW.月初
                               ORDER BY 月初 DESC LIMIT 1) AS earlier;
    UPDATE _累計 SET 合計 = 合計 + NEW.合計, 件数 = 件数 + NEW.件数
    WHERE 勘定科目ID = NEW.勘定科目ID AND 月初 >= NEW.月初;
END;
CREATE TRIGGER IF NOT EXISTS _月計_累計_変更 AFTER UPDATE OF 合計, 件数 ON _月計
BEGIN
    UPDATE _累計 SET 合計 = 合計 + NEW.合計 - OLD.合計, 件数 = 件数 + NEW.件数 - OLD.件数
    WHERE 勘定科目ID = NEW.勘定科目ID AND 月初 >= NEW.月初;
END;
CREATE TRIGGER IF NOT EXISTS _月計_累計_削除 AFTER DELETE ON _月計
BEGIN
    DELETE FROM _累計 WHERE 勘定科目ID = OLD.勘定科目ID AND 月初 = OLD.月初;
    UPDATE _累計 SET 合計 = 合計 - OLD.合計, 件数 = 件数 - OLD.件数
    WHERE 勘定科目ID = OLD.勘定科目ID AND 月初 > OLD.月初;
END;

-- Totals per fiscal year and account item of the years that begin in the
-- month held by _年度開始 (no row: January), kept from the month totals by the
-- triggers below (a month row keeps its key; one that empties is deleted).
-- The start month is the user's setting, not the file's: the data layer
-- re-keys the table when it is asked for years that begin in another month.
CREATE TABLE IF NOT EXISTS _年度開始 (
    ID INTEGER PRIMARY KEY CHECK (ID = 1),
    開始月 INTEGER NOT NULL CHECK (開始月 BETWEEN 1 AND 12)
);
CREATE TABLE IF NOT EXISTS _年計 (
    年度 INTEGER NOT NULL,
    勘定科目ID INTEGER NOT NULL,
    合計 INTEGER NOT NULL,
    件数 INTEGER NOT NULL,
    PRIMARY KEY (年度, 勘定科目ID)
) WITHOUT ROWID;
CREATE TRIGGER IF NOT EXISTS _月計_年計_追加 AFTER INSERT ON _月計
BEGIN
    INSERT INTO _年計 VALUES (
        CAST(substr(NEW.月初, 1, 4) AS INTEGER)
        - (CAST(substr(NEW.月初, 6, 2) AS INTEGER) < coalesce((SELECT 開始月 FROM _年度開始), 1)),
        NEW.勘定科目ID, NEW.合計, NEW.件数)
    ON CONFLICT (年度, 勘定科目ID) DO UPDATE SET 合計 = 合計 + excluded.合計, 件数 = 件数 + excluded.件数;
END;
CREATE TRIGGER IF NOT EXISTS _月計_年計_変更 AFTER UPDATE OF 合計, 件数 ON _月計
BEGIN
    UPDATE _年計 SET 合計 = 合計 + NEW.合計 - OLD.合計, 件数 = 件数 + NEW.件数 - OLD.件数
    WHERE 年度 = CAST(substr(NEW.月初, 1, 4) AS INTEGER)
        - (CAST(substr(NEW.月初, 6, 2) AS INTEGER) < coalesce((SELECT 開始月 FROM _年度開始), 1))
      AND 勘定科目ID = NEW.勘定科目ID;
END;
CREATE TRIGGER IF NOT EXISTS _月計_年計_削除 AFTER DELETE ON _月計
BEGIN
    UPDATE _年計 SET 合計 = 合計 - OLD.合計, 件数 = 件数 - OLD.件数
    WHERE 年度 = CAST(substr(OLD.月初, 1, 4) AS INTEGER)
        - (CAST(substr(OLD.月初, 6, 2) AS INTEGER) < coalesce((SELECT 開始月 FROM _年度開始), 1))
      AND 勘定科目ID = OLD.勘定科目ID;
    DELETE FROM _年計 WHERE 年度 = CAST(substr(OLD.月初, 1, 4) AS INTEGER)
        - (CAST(substr(OLD.月初, 6, 2) AS INTEGER) < coalesce((SELECT 開始月 FROM _年度開始), 1))
      AND 勘定科目ID = OLD.勘定科目ID AND 件数 <= 0;
END;

-- Income minus expense (the side taken from the entry's account item; an
-- entry of an unknown item counts nothing): per month with entries, of every
-- entry up to the month's end; per day with entries, of the entries from the
-- start of its month up to the day's end. 件数 counts the entries of the row's
-- own month or day. The carry-over before any day is then two keyed reads,
-- and one write changes only the later months and the later days of its month.
CREATE TABLE IF NOT EXISTS _月残高 (
    月初 DATE NOT NULL PRIMARY KEY,
    残高 INTEGER NOT NULL,
    件数 INTEGER NOT NULL
) WITHOUT ROWID;
CREATE TABLE IF NOT EXISTS _日残高 (
    日付 DATE NOT NULL PRIMARY KEY,
    残高 INTEGER NOT NULL,
    件数 INTEGER NOT NULL
) WITHOUT ROWID;
CREATE TRIGGER IF NOT EXISTS 出納簿_残高_追加 AFTER INSERT ON 出納簿
BEGIN
    INSERT INTO _月残高
    SELECT substr(NEW.日付, 1, 8) || '01', coalesce((SELECT 残高 FROM _月残高 WHERE 月初 < substr(NEW.日付, 1, 8) || '01'
                                               ORDER BY 月初 DESC LIMIT 1), 0), 0
    WHERE NEW.日付 IS NOT NULL AND NEW.勘定科目ID IS NOT NULL
    ON CONFLICT (月初) DO NOTHING;
    UPDATE _月残高 SET 残高 = 残高 + coalesce(NEW.金額, 0) * coalesce((SELECT CASE 仕分けID WHEN 1 THEN 1 WHEN 2 THEN -1 ELSE 0 END FROM 勘定科目 WHERE ID = NEW.勘定科目ID), 0),
                       件数 = 件数 + (月初 = substr(NEW.日付, 1, 8) || '01')
    WHERE NEW.日付 IS NOT NULL AND NEW.勘定科目ID IS NOT NULL AND 月初 >= substr(NEW.日付, 1, 8) || '01';
    INSERT INTO _日残高
    SELECT substr(NEW.日付, 1, 10), coalesce((SELECT 残高 FROM _日残高 WHERE 日付 >= substr(NEW.日付, 1, 8) || '01'
                                           AND 日付 < substr(NEW.日付, 1, 10) ORDER BY 日付 DESC LIMIT 1), 0), 0
    WHERE NEW.日付 IS NOT NULL AND NEW.勘定科目ID IS NOT NULL
    ON CONFLICT (日付) DO NOTHING;
    UPDATE _日残高 SET 残高 = 残高 + coalesce(NEW.金額, 0) * coalesce((SELECT CASE 仕分けID WHEN 1 THEN 1 WHEN 2 THEN -1 ELSE 0 END FROM 勘定科目 WHERE ID = NEW.勘定科目ID), 0),
                       件数 = 件数 + (日付 = substr(NEW.日付, 1, 10))
    WHERE NEW.日付 IS NOT NULL AND NEW.勘定科目ID IS NOT NULL
      AND 日付 BETWEEN substr(NEW.日付, 1, 10) AND substr(NEW.日付, 1, 8) || '32';
END;
CREATE TRIGGER IF NOT EXISTS 出納簿_残高_削除 AFTER DELETE ON 出納簿
BEGIN
    UPDATE _月残高 SET 残高 = 残高 - coalesce(OLD.金額, 0) * coalesce((SELECT CASE 仕分けID WHEN 1 THEN 1 WHEN 2 THEN -1 ELSE 0 END FROM 勘定科目 WHERE ID = OLD.勘定科目ID), 0),
                       件数 = 件数 - (月初 = substr(OLD.日付, 1, 8) || '01')
    WHERE OLD.日付 IS NOT NULL AND OLD.勘定科目ID IS NOT NULL AND 月初 >= substr(OLD.日付, 1, 8) || '01';
    DELETE FROM _月残高 WHERE 月初 = substr(OLD.日付, 1, 8) || '01' AND 件数 <= 0;
    UPDATE _日残高 SET 残高 = 残高 - coalesce(OLD.金額, 0) * coalesce((SELECT CASE 仕分けID WHEN 1 THEN 1 WHEN 2 THEN -1 ELSE 0 END FROM 勘定科目 WHERE ID = OLD.勘定科目ID), 0),
                       件数 = 件数 - (日付 = substr(OLD.日付, 1, 10))
    WHERE OLD.日付 IS NOT NULL AND OLD.勘定科目ID IS NOT NULL
      AND 日付 BETWEEN substr(OLD.日付, 1, 10) AND substr(OLD.日付, 1, 8) || '32';
    DELETE FROM _日残高 WHERE 日付 = substr(OLD.日付, 1, 10) AND 件数 <= 0;
END;
CREATE TRIGGER IF NOT EXISTS 出納簿_残高_変更 AFTER UPDATE OF 日付, 勘定科目ID, 金額 ON 出納簿
BEGIN
    UPDATE _月残高 SET 残高 = 残高 - coalesce(OLD.金額, 0) * coalesce((SELECT CASE 仕分けID WHEN 1 THEN 1 WHEN 2 THEN -1 ELSE 0 END FROM 勘定科目 WHERE ID = OLD.勘定科目ID), 0),
                       件数 = 件数 - (月初 = substr(OLD.日付, 1, 8) || '01')
    WHERE OLD.日付 IS NOT NULL AND OLD.勘定科目ID IS NOT NULL AND 月初 >= substr(OLD.日付, 1, 8) || '01';
    DELETE FROM _月残高 WHERE 月初 = substr(OLD.日付, 1, 8) || '01' AND 件数 <= 0;
    UPDATE _日残高 SET 残高 = 残高 - coalesce(OLD.金額, 0) * coalesce((SELECT CASE 仕分けID WHEN 1 THEN 1 WHEN 2 THEN -1 ELSE 0 END FROM 勘定科目 WHERE ID = OLD.勘定科目ID), 0),
                       件数 = 件数 - (日付 = substr(OLD.日付, 1, 10))
    WHERE OLD.日付 IS NOT NULL AND OLD.勘定科目ID IS NOT NULL
      AND 日付 BETWEEN substr(OLD.日付, 1, 10) AND substr(OLD.日付, 1, 8) || '32';
    DELETE FROM _日残高 WHERE 日付 = substr(OLD.日付, 1, 10) AND 件数 <= 0;
    INSERT INTO _月残高
    SELECT substr(NEW.日付, 1, 8) || '01', coalesce((SELECT 残高 FROM _月残高 WHERE 月初 < substr(NEW.日付, 1, 8) || '01'
                                               ORDER BY 月初 DESC LIMIT 1), 0), 0
    WHERE NEW.日付 IS NOT NULL AND NEW.勘定科目ID IS NOT NULL
    ON CONFLICT (月初) DO NOTHING;
    UPDATE _月残高 SET 残高 = 残高 + coalesce(NEW.金額, 0) * coalesce((SELECT CASE 仕分けID WHEN 1 THEN 1 WHEN 2 THEN -1 ELSE 0 END FROM 勘定科目 WHERE ID = NEW.勘定科目ID), 0),
                       件数 = 件数 + (月初 = substr(NEW.日付, 1, 8) || '01')
    WHERE NEW.日付 IS NOT NULL AND NEW.勘定科目ID IS NOT NULL AND 月初 >= substr(NEW.日付, 1, 8) || '01';
    INSERT INTO _日残高
    SELECT substr(NEW.日付, 1, 10), coalesce((SELECT 残高 FROM _日残高 WHERE 日付 >= substr(NEW.日付, 1, 8) || '01'
                                           AND 日付 < substr(NEW.日付, 1, 10) ORDER BY 日付 DESC LIMIT 1), 0), 0
    WHERE NEW.日付 IS NOT NULL AND NEW.勘定科目ID IS NOT NULL
    ON CONFLICT (日付) DO NOTHING;
    UPDATE _日残高 SET 残高 = 残高 + coalesce(NEW.金額, 0) * coalesce((SELECT CASE 仕分けID WHEN 1 THEN 1 WHEN 2 THEN -1 ELSE 0 END FROM 勘定科目 WHERE ID = NEW.勘定科目ID), 0),
                       件数 = 件数 + (日付 = substr(NEW.日付, 1, 10))
    WHERE NEW.日付 IS NOT NULL AND NEW.勘定科目ID IS NOT NULL
      AND 日付 BETWEEN substr(NEW.日付, 1, 10) AND substr(NEW.日付, 1, 8) || '32';
END;
-- An account item that appears, goes, or changes its key or side takes its
-- entries out of the balances with the old side and puts them in with the new.
CREATE TRIGGER IF NOT EXISTS 勘定科目_残高_追加 AFTER INSERT ON 勘定科目
BEGIN
    UPDATE _月残高 SET 残高 = 残高 + (CASE NEW.仕分けID WHEN 1 THEN 1 WHEN 2 THEN -1 ELSE 0 END) * (SELECT 合計 FROM _累計 WHERE 勘定科目ID = NEW.ID
                                                 AND 月初 <= _月残高.月初 ORDER BY 月初 DESC LIMIT 1)
    WHERE (CASE NEW.仕分けID WHEN 1 THEN 1 WHEN 2 THEN -1 ELSE 0 END) <> 0 AND 月初 >= (SELECT MIN(月初) FROM _累計 WHERE 勘定科目ID = NEW.ID);
    UPDATE _日残高 SET 残高 = 残高 + (CASE NEW.仕分けID WHEN 1 THEN 1 WHEN 2 THEN -1 ELSE 0 END) * (SELECT coalesce(SUM(金額), 0) FROM 出納簿 WHERE 勘定科目ID = NEW.ID
                                                 AND 日付 BETWEEN substr(_日残高.日付, 1, 8) || '01'
                                                             AND substr(_日残高.日付, 1, 8) || '32'
                                                 AND substr(日付, 1, 10) <= _日残高.日付)
    WHERE (CASE NEW.仕分けID WHEN 1 THEN 1 WHEN 2 THEN -1 ELSE 0 END) <> 0 AND substr(日付, 1, 8) || '01' IN (SELECT 月初 FROM _累計 WHERE 勘定科目ID = NEW.ID);
END;
CREATE TRIGGER IF NOT EXISTS 勘定科目_残高_削除 AFTER DELETE ON 勘定科目
BEGIN
    UPDATE _月残高 SET 残高 = 残高 + -(CASE OLD.仕分けID WHEN 1 THEN 1 WHEN 2 THEN -1 ELSE 0 END) * (SELECT 合計 FROM _累計 WHERE 勘定科目ID = OLD.ID
                                                 AND 月初 <= _月残高.月初 ORDER BY 月初 DESC LIMIT 1)
    WHERE -(CASE OLD.仕分けID WHEN 1 THEN 1 WHEN 2 THEN -1 ELSE 0 END) <> 0 AND 月初 >= (SELECT MIN(月初) FROM _累計 WHERE 勘定科目ID = OLD.ID);
    UPDATE _日残高 SET 残高 = 残高 + -(CASE OLD.仕分けID WHEN 1 THEN 1 WHEN 2 THEN -1 ELSE 0 END) * (SELECT coalesce(SUM(金額), 0) FROM 出納簿 WHERE 勘定科目ID = OLD.ID
                                                 AND 日付 BETWEEN substr(_日残高.日付, 1, 8) || '01'
                                                             AND substr(_日残高.日付, 1, 8) || '32'
                                                 AND substr(日付, 1, 10) <= _日残高.日付)
    WHERE -(CASE OLD.仕分けID WHEN 1 THEN 1 WHEN 2 THEN -1 ELSE 0 END) <> 0 AND substr(日付, 1, 8) || '01' IN (SELECT 月初 FROM _累計 WHERE 勘定科目ID = OLD.ID);
END;
CREATE TRIGGER IF NOT EXISTS 勘定科目_残高_変更 AFTER UPDATE OF ID, 仕分けID ON 勘定科目
WHEN OLD.ID IS NOT NEW.ID OR (CASE OLD.仕分けID WHEN 1 THEN 1 WHEN 2 THEN -1 ELSE 0 END) <> (CASE NEW.仕分けID WHEN 1 THEN 1 WHEN 2 THEN -1 ELSE 0 END)
BEGIN
    UPDATE _月残高 SET 残高 = 残高 + -(CASE OLD.仕分けID WHEN 1 THEN 1 WHEN 2 THEN -1 ELSE 0 END) * (SELECT 合計 FROM _累計 WHERE 勘定科目ID = OLD.ID
                                                 AND 月初 <= _月残高.月初 ORDER BY 月初 DESC LIMIT 1)
    WHERE -(CASE OLD.仕分けID WHEN 1 THEN 1 WHEN 2 THEN -1 ELSE 0 END) <> 0 AND 月初 >= (SELECT MIN(月初) FROM _累計 WHERE 勘定科目ID = OLD.ID);
    UPDATE _日残高 SET 残高 = 残高 + -(CASE OLD.仕分けID WHEN 1 THEN 1 WHEN 2 THEN -1 ELSE 0 END) * (SELECT coalesce(SUM(金額), 0) FROM 出納簿 WHERE 勘定科目ID = OLD.ID
                                                 AND 日付 BETWEEN substr(_日残高.日付, 1, 8) || '01'
                                                             AND substr(_日残高.日付, 1, 8) || '32'
                                                 AND substr(日付, 1, 10) <= _日残高.日付)
    WHERE -(CASE OLD.仕分けID WHEN 1 THEN 1 WHEN 2 THEN -1 ELSE 0 END) <> 0 AND substr(日付, 1, 8) || '01' IN (SELECT 月初 FROM _累計 WHERE 勘定科目ID = OLD.ID);
    UPDATE _月残高 SET 残高 = 残高 + (CASE NEW.仕分けID WHEN 1 THEN 1 WHEN 2 THEN -1 ELSE 0 END) * (SELECT 合計 FROM _累計 WHERE 勘定科目ID = NEW.ID
                                                 AND 月初 <= _月残高.月初 ORDER BY 月初 DESC LIMIT 1)
    WHERE (CASE NEW.仕分けID WHEN 1 THEN 1 WHEN 2 THEN -1 ELSE 0 END) <> 0 AND 月初 >= (SELECT MIN(月初) FROM _累計 WHERE 勘定科目ID = NEW.ID);
    UPDATE _日残高 SET 残高 = 残高 + (CASE NEW.仕分けID WHEN 1 THEN 1 WHEN 2 THEN -1 ELSE 0 END) * (SELECT coalesce(SUM(金額), 0) FROM 出納簿 WHERE 勘定科目ID = NEW.ID
                                                 AND 日付 BETWEEN substr(_日残高.日付, 1, 8) || '01'
                                                             AND substr(_日残高.日付, 1, 8) || '32'
                                                 AND substr(日付, 1, 10) <= _日残高.日付)
    WHERE (CASE NEW.仕分けID WHEN 1 THEN 1 WHEN 2 THEN -1 ELSE 0 END) <> 0 AND substr(日付, 1, 8) || '01' IN (SELECT 月初 FROM _累計 WHERE 勘定科目ID = NEW.ID);
END;

-- @table 取引先
CREATE TABLE 取引先 (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    取引先名称 TEXT,
    表示順序 INTEGER
);
CREATE INDEX IF NOT EXISTS 取引先_名称 ON 取引先 (取引先名称);

-- @table 定期支払
CREATE TABLE 定期支払 (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    勘定科目ID INTEGER,
    支払日 INTEGER,
    自動アナウンス INTEGER,
    開始日 DATE,
    終了日 DATE,
    月指定フラグ INTEGER,
    "1月" INTEGER,
    "2月" INTEGER,
    "3月" INTEGER,
    "4月" INTEGER,
    "5月" INTEGER,
    "6月" INTEGER,
    "7月" INTEGER,
    "8月" INTEGER,
    "9月" INTEGER,
    "10月" INTEGER,
    "11月" INTEGER,
    "12月" INTEGER,
    休日フラグ INTEGER
);

-- @table 分割支払
CREATE TABLE 分割支払 (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    勘定科目ID INTEGER,
    総返済額 INTEGER,
    月返済額 INTEGER,
    賞与月１ INTEGER,
    賞与月２ INTEGER,
    賞与月返済額 INTEGER,
    支払日 INTEGER,
    開始年月 DATE,
    完済年月 DATE,
    自動アナウンス INTEGER,
    残額 INTEGER,
    備考 TEXT
);

-- @view View_出納簿: 出納簿 勘定科目 取引先
-- Every entry with its account item and counterparty; entries without a
-- counterparty (or with an item since removed) stay in the list. The entry's
-- own key and note keep their qualified names.
CREATE VIEW IF NOT EXISTS View_出納簿 AS
SELECT 出納簿.ID AS "出納簿.ID",
       出納簿.金額 AS 金額,
       出納簿.日付 AS 日付,
       出納簿.勘定科目ID AS 勘定科目ID,
       勘定科目.科目名称 AS 科目名称,
       勘定科目.レベル AS レベル,
       勘定科目.親科目ID AS 親科目ID,
       勘定科目.仕分けID AS 仕分けID,
       出納簿.取引先ID AS 取引先ID,
       取引先.取引先名称 AS 取引先名称,
       出納簿.ミクリID AS ミクリID,
       出納簿.備考 AS "出納簿.備考"
FROM 出納簿
LEFT JOIN 勘定科目 ON 勘定科目.ID = 出納簿.勘定科目ID
LEFT JOIN 取引先 ON 取引先.ID = 出納簿.取引先ID;
