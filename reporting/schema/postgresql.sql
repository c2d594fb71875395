-- Reporting database, PostgreSQL (reached through psqlODBC).  The programs
-- create no tables: a new reporting database is made from this script
-- (scripts/create-reporting-db.sh).
--
-- Names stand unquoted, as in the programs' SQL, so they fold to lower case
-- on both sides.  There is no one-byte type: small codes are SMALLINT held
-- to 0..255.

-- Report values, one row per cell key.  The ODBC engine reads the columns
-- of "Select *" in this order, so the order is fixed.
CREATE TABLE ss_datalist (
    FD_Time        VARCHAR(13) NOT NULL,
    FD_OrgCode     VARCHAR(8)  NOT NULL,
    FD_RowItemCode VARCHAR(8)  NOT NULL,
    FD_ColItemCode VARCHAR(8)  NOT NULL,
    FD_Line        INTEGER     NOT NULL,
    FD_CurType     SMALLINT    NOT NULL,
    FD_Value       VARCHAR(255)
);
-- The six-part key: the engines' per-cell lookups (all six equal) and the
-- load and save query ordered by organization, period, items, line and
-- currency type.  Free rows with a NULL value are an Excel-source habit
-- and never occur in a SQL database, so the key is unique outright.
CREATE UNIQUE INDEX ix_datalist_key ON ss_datalist
    (FD_OrgCode, FD_Time, FD_RowItemCode, FD_ColItemCode, FD_Line, FD_CurType);
-- Summing and analysis: one query per cell by row item and column item,
-- narrowed by organization and period.  It holds every column, so a cell's
-- rows are read from one stretch of the index instead of one table page
-- per row.
CREATE INDEX ix_datalist_items ON ss_datalist
    (FD_RowItemCode, FD_ColItemCode, FD_OrgCode, FD_Time, FD_Line, FD_CurType, FD_Value);

-- Find-item searches are prefix LIKE patterns; outside the C locale only a
-- pattern-ops index serves them.
CREATE TABLE ss_Organ (
    FD_Code       VARCHAR(8)  NOT NULL PRIMARY KEY,
    FD_Name       VARCHAR(50) NOT NULL UNIQUE,
    FD_SearchCode VARCHAR(8)  DEFAULT ''
);
CREATE INDEX ix_organ_search ON ss_Organ (FD_SearchCode varchar_pattern_ops);

-- Organization property types and their values, one row per value.
CREATE TABLE ss_Attribute (
    FD_AttrTypeCode SMALLINT     NOT NULL CHECK (FD_AttrTypeCode BETWEEN 0 AND 255),
    FD_AttrTypeName VARCHAR(255) NOT NULL,
    FD_ValCode      SMALLINT     NOT NULL CHECK (FD_ValCode BETWEEN 0 AND 255),
    FD_ValName      VARCHAR(255) NOT NULL
);
CREATE UNIQUE INDEX ix_attribute_key ON ss_Attribute (FD_AttrTypeCode, FD_ValCode);

-- Property values held by organizations: at most one value per type.
CREATE TABLE ss_OrgAttr (
    FD_OrgCode      VARCHAR(8) NOT NULL,
    FD_AttrTypeCode SMALLINT   NOT NULL CHECK (FD_AttrTypeCode BETWEEN 0 AND 255),
    FD_ValCode      SMALLINT   NOT NULL CHECK (FD_ValCode BETWEEN 0 AND 255)
);
CREATE UNIQUE INDEX ix_orgattr_key ON ss_OrgAttr (FD_OrgCode, FD_AttrTypeCode);
-- Organizations by property (selection, analysis sub-queries).
CREATE INDEX ix_orgattr_value ON ss_OrgAttr (FD_AttrTypeCode, FD_ValCode, FD_OrgCode);

-- Row items; FD_Type 0 Numeric, 1 Text, 2 Document, 3 Picture.
CREATE TABLE ss_item (
    FD_Code       VARCHAR(8)   NOT NULL PRIMARY KEY,
    FD_Name       VARCHAR(255) NOT NULL UNIQUE,
    FD_SearchCode VARCHAR(8)   DEFAULT '',
    FD_Type       SMALLINT     NOT NULL DEFAULT 0 CHECK (FD_Type BETWEEN 0 AND 255)
);
CREATE INDEX ix_item_search ON ss_item (FD_SearchCode varchar_pattern_ops);

CREATE TABLE ss_colitem (
    FD_Code       VARCHAR(8)   NOT NULL PRIMARY KEY,
    FD_Name       VARCHAR(255) NOT NULL UNIQUE,
    FD_SearchCode VARCHAR(8)   DEFAULT ''
);
CREATE INDEX ix_colitem_search ON ss_colitem (FD_SearchCode varchar_pattern_ops);

-- Fill-in log: one row per run of consecutive periods filled in.
CREATE TABLE ss_reportlog (
    FD_TemplateCode VARCHAR(8)  NOT NULL,
    FD_OrgCode      VARCHAR(8)  NOT NULL,
    FD_ReportType   INTEGER     NOT NULL,
    FD_StartDate    VARCHAR(13) NOT NULL,
    FD_EndDate      VARCHAR(13) NOT NULL
);
-- Covering and neighbouring-run queries test template, report type and
-- organization for equality and then one end of the run; the earliest
-- start query uses the first two columns only.
CREATE INDEX ix_reportlog_start ON ss_reportlog
    (FD_TemplateCode, FD_ReportType, FD_OrgCode, FD_StartDate);
CREATE INDEX ix_reportlog_end ON ss_reportlog
    (FD_TemplateCode, FD_ReportType, FD_OrgCode, FD_EndDate);
